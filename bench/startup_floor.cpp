// The start-up floor of the zavrin command: a program that does nothing,
// linked against the same shared libraries as the command (and the C++
// runtime the same way). Starting it costs what the dynamic loader spends on
// those libraries, which no work inside the command can take away.
int main() { return 0; }
