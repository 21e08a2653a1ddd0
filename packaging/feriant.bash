# bash completion for feriant: commands, options, option values, countries and region
# paths. Everything is asked of the program itself (its --help, `countries` and
# `regions`), so the completion knows the commands and options of the installed version.

_feriant_words() {
  # Prints each word of $1 (one per line) that begins with the current word, quoted for
  # the shell, into COMPREPLY.
  local IFS=$'\n' word typed
  typed="$(dequote "$cur" 2>/dev/null)" || typed="$cur"
  COMPREPLY=()
  for word in $1; do
    [[ "$word" == "$typed"* ]] && COMPREPLY+=("$(printf '%q' "$word")")
  done
}

_feriant() {
  local cur prev cword words
  _init_completion -n '|=' || return
  local program="${words[0]}"

  if ((cword == 1)); then
    _feriant_words "$("$program" --help 2>/dev/null |
      sed -n '/^Subcommands:/,/^$/s/^  \([a-z][a-z-]*\) .*/\1/p'; printf '%s\n' --help --version)"
    return
  fi
  local command="${words[1]}" help
  help="$("$program" "$command" --help 2>/dev/null)" || return

  case "$prev" in
    --country)
      _feriant_words "$("$program" countries 2>/dev/null; printf '%s\n' DE AT CH FR LI)"
      return ;;
    --region | --find)
      local i country=""
      for ((i = 2; i < cword; i++)); do
        [[ "${words[i]}" == --country ]] && country="${words[i + 1]}"
      done
      country="$(dequote "$country" 2>/dev/null)"
      [[ -n "$country" ]] || return
      # Paths with "/" between the parts, which the shell leaves alone.
      _feriant_words "$("$program" regions --country "$country" --format jsonl 2>/dev/null |
        sed -n 's/^{"path":"\([^"]*\)".*/\1/p' | tr '|' '/')"
      return ;;
    --calendar | --project)
      _filedir
      return ;;
    --language)
      _feriant_words $'Deutsch\nEnglish\nFrançais\nItaliano'
      return ;;
  esac
  # Options with a fixed set of values show it as "--name TEXT:{a,b}".
  if [[ "$prev" == --* ]]; then
    local values
    values="$(printf '%s\n' "$help" | sed -n "s/^ *${prev}[^:]*:{\([^}]*\)}.*/\1/p" | tr ',' '\n')"
    if [[ -n "$values" ]]; then
      _feriant_words "$values"
      return
    fi
    # Any other option that takes a value: nothing to offer.
    if printf '%s\n' "$help" | grep -q "^ *\(-[a-z],\)\?${prev} [A-Z]"; then return; fi
  fi
  # The options are the words that begin the lines of the help's option list.
  _feriant_words "$(printf '%s\n' "$help" | sed -n 's/^  \(-[a-z],\)\{0,1\}\(--[a-z][a-z-]*\).*/\2/p')"
}
complete -F _feriant feriant
