#!/usr/bin/env bash
# The man page and the bash completion against the built command: every
# sub-command of `zavrin --help` is documented and completed, the man page
# formats without warnings, and completion offers what the command knows.
# Usage: command_docs_test.sh ZAVRIN MAN_PAGE COMPLETION
set -uo pipefail
zavrin=$1 man_page=$2 completion=$3
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# --- the sub-commands, from the command's own help -------------------------
mapfile -t commands < <("$zavrin" --help | sed -n 's/^  zavrin \([a-z][a-z]*\).*/\1/p')
((${#commands[@]} >= 5)) || fail "zavrin --help lists ${#commands[@]} commands"

# The man page: each command has its entry in COMMANDS, and the options.
commands_section=$(sed -n '/^\.SH COMMANDS/,/^\.SH /p' "$man_page")
for c in "${commands[@]}"; do
  grep -Eq "^\.BI? \"?$c( |\"|$)" <<<"$commands_section" || fail "man page: no entry for '$c'"
done
options_section=$(sed -n '/^\.SH OPTIONS/,/^\.SH /p' "$man_page")
for option in help version kind let json depth items drive file; do
  grep -Fq -- "\\-\\-$option" <<<"$options_section" || fail "man page: no entry for --$option"
done
warnings=$(groff -man -ww -z "$man_page" 2>&1)
[[ -z $warnings ]] || fail "man page: groff warns: $warnings"

# --- completion ------------------------------------------------------------
# shellcheck source=../zavrin.bash-completion
complete() { :; }  # no completion engine in a script: only the functions
source "$completion"

# complete_line "WORDS..." prints the offers for the last word (may be empty).
complete_line() {
  read -r -a COMP_WORDS <<<"$1"
  [[ $1 == *" " ]] && COMP_WORDS+=("")
  COMP_WORDS[0]=$zavrin
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _zavrin
  printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ' | sed 's/ $//'
}

offers=$(complete_line "zavrin ")
for c in "${commands[@]}" --help --version; do
  [[ " $offers " == *" $c "* ]] || fail "completion does not offer '$c' (offers: $offers)"
done

# Line typed (the cursor after the last word) | the offers, sorted.
cases=(
  "zavrin mem|members"
  "zavrin members ZSNu|ZSNumbers"
  "zavrin members zsnu|ZSNumbers"
  "zavrin members ZSNumbers |"
  "zavrin call ZSRegistryK|ZSRegistryKey ZSRegistryKeys"
  "zavrin call ZSNumbers BinTo|BinToDec BinToHex BinToOct"
  "zavrin call VQZavrinStudio.ZSNumbers hexto|HexToBin HexToDec HexToOct"
  "zavrin call ZSRegistryKeys |Add Count Item NewEnum Remove"
  "zavrin call ZSRegistryKey |KeyNames"
  "zavrin call --kind get ZSRegistryKeys Co|Count"
  "zavrin call ZSNumbers --kind |get let method set"
  "zavrin call ZSNumbers BinToDec --|-- --depth --items --json --kind --let"
  "zavrin info --|--drive --file --json"
  "zavrin call ZSDiskInfo --let DriveName=/ Total|TotalSpace TotalSpaceUsed"
  "zavrin call ZSRegistry ListKeys zvHKEY_CURRENT_|zvHKEY_CURRENT_CONFIG zvHKEY_CURRENT_USER"
  "zavrin call ZSRegistry ListKeys zvhkey_cu|zvHKEY_CURRENT_CONFIG zvHKEY_CURRENT_USER"
  "zavrin call --items 3 ZSNumbers BinTo|BinToDec BinToHex BinToOct"
  "zavrin call ZSNumbers --depth |"
  "zavrin list --|--json"
  "zavrin members --|--json"
  "zavrin members --json ZSNu|ZSNumbers"
  "zavrin repl --|-- --depth --items"
  "zavrin call -- ZSNumbers --|"
  "zavrin call ZSNumbers BinToDec |"
  "zavrin call NoSuchClass |"
  "zavrin call ZSAboutBox Show|ShowAbout"
  "zavrin call ZSScreenModes Sc|ScreenHeight ScreenWidth"
  "zavrin call ZSDiskInfo IsF|IsFAT16 IsFAT32 IsFixed"
  "zavrin reg |add delete query"
  "zavrin reg query HKC|HKCC HKCR HKCU"
  "zavrin reg add HKCU\\Software /t REG_|REG_BINARY REG_DWORD REG_SZ"
  "zavrin reg add HKCU\\Software /v |"
  "zavrin reg query HKCU\\Software /|/f /v /ve"
  "zavrin serve |"
  "zavrin splash --st|--style"
  "zavrin splash --style |0 1 2 3 4"
  "zavrin splash --style 4 --let ProductN|ProductName= ProductNameColor= ProductNameImage="
  "zavrin about --|--hover --let --show --style"
  "zavrin about --style |0 1"
  "zavrin about --hover lbl|lblMail lblUrl"
  "zavrin about --style 1 --let Mail|Mailto="
)
for case in "${cases[@]}"; do
  line=${case%|*} expected=${case##*|}
  got=$(complete_line "$line")
  [[ $got == "$expected" ]] || fail "completing '$line': '$got', expected '$expected'"
done

if ((failures)); then
  echo "$failures failure(s)" >&2
  exit 1
fi
echo "man page and completion agree with zavrin --help (${#commands[@]} commands, ${#cases[@]} completions)"
