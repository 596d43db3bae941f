# bash completion for vellar-cli, the VellarD simulator without a window.

_vellar_cli() {
  local cur prev
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD - 1]}

  if [ "$COMP_CWORD" -eq 1 ]; then
    mapfile -t COMPREPLY < <(compgen -W 'run convert list asm --help --version' -- "$cur")
    return
  fi

  # The value of an option: files of the fitting kind, or one of the fixed words.
  case $prev in
    --mps)
      _vellar_cli_files 'mpd|mps|MPD|MPS'
      return
      ;;
    --ram)
      _vellar_cli_files 'ras|rad|ram|erm|RAS|RAD|RAM|ERM'
      return
      ;;
    --save-ram)
      _vellar_cli_files 'ras|rad|ram|erm|RAS|RAD|RAM|ERM'
      return
      ;;
    --mode)
      mapfile -t COMPREPLY < <(compgen -W 'clock instruction halt' -- "$cur")
      return
      ;;
    --view)
      mapfile -t COMPREPLY < <(compgen -W 'data asm' -- "$cur")
      return
      ;;
    --set)
      compopt -o nospace 2>/dev/null
      mapfile -t COMPREPLY < <(compgen -W 'AX= BX= IP= OP= AR= DR=' -- "$cur")
      return
      ;;
    --max-clocks | --expect)
      return
      ;;
  esac

  local options
  case ${COMP_WORDS[1]} in
    run) options='--mps --ram --mode --max-clocks --set --dump --save-ram --expect' ;;
    convert) options='--mps' ;;
    list) options='--mps --view' ;;
    asm) options='--mps' ;;
    *) return ;;
  esac
  if [[ $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
  elif [ "${COMP_WORDS[1]}" != run ]; then
    _vellar_cli_files ''
  fi
}

# Directories and the files whose extension matches the pattern (all files for '').
_vellar_cli_files() {
  local pattern=$1
  compopt -o filenames 2>/dev/null
  mapfile -t COMPREPLY < <(compgen -d -- "$cur")
  local file
  while IFS= read -r file; do
    [ -d "$file" ] && continue
    if [ -z "$pattern" ] || [[ ${file##*.} =~ ^($pattern)$ ]]; then
      COMPREPLY+=("$file")
    fi
  done < <(compgen -f -- "$cur")
}

complete -F _vellar_cli vellar-cli
