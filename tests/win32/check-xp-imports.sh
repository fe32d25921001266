#!/usr/bin/env bash
# Fails when a program imports a function that Windows XP SP3 lacks.
#   check-xp-imports.sh <objdump> <mingw g++> <program.exe>...
#
# System DLL imports: every imported function is referenced by name in a
# C++ file that is compiled against the MinGW-w64 headers for Windows XP
# SP3 (_WIN32_WINNT, WINVER and NTDDI_VERSION); the headers declare only
# what that system has, so a newer function does not compile.
#
# msvcrt.dll imports: the headers declare every msvcrt.dll function
# whatever the system, so these are checked against the list below
# instead: the C90 library and the MinGW start-up's runtime entries, all
# exported by msvcrt.dll since long before Windows XP. A function that is
# not on it must be checked against XP SP3's msvcrt.dll before it is added.
set -euo pipefail
objdump=$1 cxx=$2
shift 2
fail() { echo "FAIL: $*" >&2; exit 1; }

msvcrt_xp=(
  # MinGW-w64 start-up and runtime support
  __dllonexit __getmainargs __wgetmainargs __initenv __winitenv __mb_cur_max
  __p__commode __p__fmode __p__acmdln __p__wcmdln __p___argc __p___argv
  __p___wargv __p__environ __p__wenviron __set_app_type __setusermatherr
  __lconv_init __iob_func _iob _amsg_exit _assert _cexit _c_exit _exit
  _errno _fmode _commode _initterm _onexit _lock _unlock _setjmp _setjmp3
  _longjmp longjmp _fpreset _controlfp _control87 _clearfp _statusfp
  _isatty _fileno _setmode _get_osfhandle _open_osfhandle _open _wopen
  _read _write _close _lseek _lseeki64 _fdopen _wfopen _fstat _fstati64
  _stat _wstat _stati64 _wstati64 _strdup _wcsdup _stricmp _strnicmp
  _wcsicmp _wcsnicmp _snprintf _snwprintf _vsnprintf _vsnwprintf
  _strtoi64 _strtoui64 _wcstoi64 _wcstoui64 _i64toa _ui64toa _itoa _ltoa
  _ultoa _putenv _wputenv _getpid _getcwd _wgetcwd _mkdir _wmkdir _rmdir
  _unlink _wunlink _access _waccess _tzset _time64 _localtime64 _gmtime64
  _mktime64 _ftime _ftime64 _beginthreadex _endthreadex _msize _expand
  _aligned_malloc _aligned_free _aligned_realloc _findfirst _findnext
  _findclose _wfindfirst _wfindnext _chsize _chdir _wchdir _dup _dup2
  _pipe _getch _kbhit _isnan _finite _hypot _copysign _nextafter _logb
  _scalb _j0 _j1 _y0 _y1 _wtoi _wtol _atoi64 _wtoi64 _strlwr _strupr
  _wcslwr _wcsupr _filbuf _flsbuf _getws _putws _wremove _wrename
  _wsystem _wgetenv _fullpath _wfullpath _splitpath _makepath
  ___lc_codepage_func ___mb_cur_max_func __pctype_func __pwctype_func
  _pctype _pwctype _isctype iswctype is_wctype _set_error_mode _creat
  _filelength _filelengthi64 _fstat64 _stat64 _wstat64
  # C90 library
  abort abs acos asctime asin atan atan2 atexit atof atoi atol bsearch
  calloc ceil clearerr clock cos cosh ctime difftime div exit exp fabs
  fclose feof ferror fflush fgetc fgetpos fgets fgetwc fgetws floor fmod
  fopen fprintf fputc fputs fputwc fputws fread free freopen frexp fscanf
  fseek fsetpos ftell fwprintf fwrite fwscanf getc getchar getenv gets
  getwc getwchar gmtime isalnum isalpha iscntrl isdigit isgraph islower
  isprint ispunct isspace isupper iswalnum iswalpha iswcntrl iswdigit
  iswgraph iswlower iswprint iswpunct iswspace iswupper iswxdigit isxdigit
  labs ldexp ldiv localeconv localtime log log10 longjmp malloc mblen
  mbstowcs mbtowc memchr memcmp memcpy memmove memset mktime modf perror
  pow printf putc putchar puts putwc putwchar qsort raise rand realloc
  remove rename rewind scanf setbuf setlocale setvbuf signal sin sinh
  sprintf sqrt srand sscanf strcat strchr strcmp strcoll strcpy strcspn
  strerror strftime strlen strncat strncmp strncpy strpbrk strrchr strspn
  strstr strtod strtok strtol strtoul strxfrm swprintf swscanf system tan
  tanh time tmpfile tmpnam tolower toupper towlower towupper ungetc
  ungetwc vfprintf vfwprintf vprintf vsprintf vswprintf vwprintf wcscat
  wcschr wcscmp wcscoll wcscpy wcscspn wcsftime wcslen wcsncat wcsncmp
  wcsncpy wcspbrk wcsrchr wcsspn wcsstr wcstod wcstok wcstol wcstombs
  wcstoul wcsxfrm wctomb wprintf wscanf
)
declare -A xp_crt=()
for name in "${msvcrt_xp[@]}"; do xp_crt[$name]=1; done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for exe in "$@"; do
  # "DLL Name: X" starts each DLL's list; its functions follow as
  # "<address> <hint> <name>" lines.
  "$objdump" -p "$exe" | awk '
    /^[[:space:]]*DLL Name:/ { dll = tolower($3); next }
    dll != "" && /^[[:space:]]+[0-9a-f]+[[:space:]]+[0-9]+[[:space:]]+[A-Za-z_]/ { print dll, $3 }
    /^$/ { if (dll != "" && seen) dll = "" }
    dll != "" { seen = 1 }' >"$work/imports"
  [[ -s "$work/imports" ]] || fail "$exe: no imports found"

  source_file=$work/imports.cpp
  {
    echo '#include <windows.h>'
    echo '#include <commctrl.h>'
    echo '#include <commdlg.h>'
    echo '#include <shellapi.h>'
    echo '#include <ole2.h>'
    echo '#include <oleacc.h>'
    echo 'void ReferenceEveryImport() {'
  } >"$source_file"
  bad_crt=()
  while read -r dll name; do
    case $dll in
      msvcrt.dll) [[ -n "${xp_crt[$name]:-}" ]] || bad_crt+=("$name") ;;
      *) echo "  (void)&::$name;  // $dll" >>"$source_file" ;;
    esac
  done <"$work/imports"
  echo '}' >>"$source_file"

  if ((${#bad_crt[@]})); then
    echo "FAIL: $exe imports from msvcrt.dll what is not known in XP SP3's: ${bad_crt[*]}" >&2
    status=1
  fi
  if ! "$cxx" -fsyntax-only -x c++ -std=c++20 -DUNICODE -D_UNICODE \
       -D_WIN32_WINNT=0x0501 -DWINVER=0x0501 -DNTDDI_VERSION=0x05010300 \
       "$source_file" 2>"$work/errors"; then
    echo "FAIL: $exe imports functions that Windows XP SP3 lacks:" >&2
    grep -o "'[A-Za-z_0-9]*' has not been declared\|'::[A-Za-z_0-9]*' has not been declared\|error: .*" \
      "$work/errors" | sort -u >&2
    status=1
  fi
  echo "$exe: $(wc -l <"$work/imports") imports checked"
done
exit $status
