// Stands in for a browser and a mail program in a test's Wine prefix: the
// prefix's http and mailto handlers run it, and it appends what the shell
// gave it to a record file.
// usage: url_recorder RECORD TARGET
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  FILE* f = std::fopen(argv[1], "a");
  if (!f) return 1;
  std::fprintf(f, "%s\n", argv[2]);
  return std::fclose(f) == 0 ? 0 : 1;
}
