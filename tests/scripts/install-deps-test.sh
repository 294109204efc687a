#!/usr/bin/env bash
# scripts/install-deps with stand-ins for id, dpkg-query, sudo and apt-get: what it runs and says.
set -uo pipefail
script="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

stub() { printf '#!/usr/bin/env bash\n%s\n' "$2" > "$work/bin/$1"; chmod +x "$work/bin/$1"; }
mkdir -p "$work/bin"
stub dpkg-query 'exit 1'                                  # nothing installed
stub apt-get 'echo "apt-get $*" >> "'"$work"'/calls"'

run() { PATH="$work/bin:$PATH" "$script" > "$work/out" 2> "$work/err"; }

# A user who is not root and has no sudo rights: the packages and the command, nothing run.
stub id 'echo 1000'
stub sudo 'exit 1'
run && fail "succeeded without sudo rights"
grep -q 'These Debian packages are missing: g++ make cmake ninja-build' "$work/err" || fail "no package list: $(cat "$work/err")"
grep -q "su -c 'apt-get update -q && apt-get install -y -q --no-install-recommends g++ make .*imagemagick'" "$work/err" \
  || fail "no install command: $(cat "$work/err")"
[ ! -e "$work/calls" ] || fail "apt-get ran: $(cat "$work/calls")"

# With sudo rights, apt-get runs through sudo.
stub sudo 'if [ "$1" = -v ]; then exit 0; fi; echo "sudo $1" >> "'"$work"'/calls"; "$@"'
run || fail "failed with sudo rights: $(cat "$work/err")"
grep -q 'sudo apt-get' "$work/calls" || fail "apt-get not run through sudo: $(cat "$work/calls")"
grep -q 'apt-get install -y -q --no-install-recommends g++' "$work/calls" || fail "no install: $(cat "$work/calls")"

# As root, apt-get runs directly.
rm -f "$work/calls"
stub id 'echo 0'
stub sudo 'echo "sudo $*" >> "'"$work"'/calls"; exit 1'
run || fail "failed as root: $(cat "$work/err")"
grep -q '^sudo' "$work/calls" && fail "root used sudo"
grep -q 'apt-get install' "$work/calls" || fail "root did not install"
echo "install-deps: all cases passed"
