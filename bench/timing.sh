# Timing helpers shared by the benchmark scripts (sourced).

ms() { # runs a shell command line, prints its wall time in ms
  local start end
  start=$(date +%s%N)
  bash -c "$1"
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

summary() { # name, then the times
  local name=$1; shift
  local sorted
  sorted=$(printf '%s\n' "$@" | sort -n)
  printf '  %-9s best %6d ms, median %6d ms  (%s)\n' "$name" "$(head -1 <<<"$sorted")" \
    "$(sed -n "$((($# + 1) / 2))p" <<<"$sorted")" "$*"
}
