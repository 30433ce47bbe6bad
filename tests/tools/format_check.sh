#!/usr/bin/env bash
# Pins which files tools/format-check holds to the format in each setting it runs in (a developer's
# branch, a branch just started, CI's fresh clone of main, a clone without a main branch, a
# repository of one commit) and that it fails, naming the file, on a formatting difference.
# Runs outside Wine, in throw-away git repositories holding a copy of the check.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export GIT_AUTHOR_NAME=test GIT_AUTHOR_EMAIL=test@example.invalid
export GIT_COMMITTER_NAME=test GIT_COMMITTER_EMAIL=test@example.invalid
export GIT_CONFIG_NOSYSTEM=1 HOME="$work"
unset TALVEX_SKIP_FORMAT
failures=0

formatted='int Answer() { return 42; }'
unformatted='int  Answer( ) {return 42;}'

# expect_files NAME DIR EXPECTED...: the files the check would look at, in order.
expect_files() {
  local name=$1 dir=$2 actual expected
  shift 2
  actual=$(cd "$dir" && tools/format-check --list | tr '\n' ' ')
  expected="$*"
  expected=${expected:+$expected }
  if [[ "$actual" != "$expected" ]]; then
    echo "FAIL $name: checks [$actual], expected [$expected]"
    failures=$((failures + 1))
  else
    echo "ok   $name"
  fi
}

# expect_status NAME DIR STATUS [TEXT]: the check's exit status and a text its output must hold.
expect_status() {
  local name=$1 dir=$2 want=$3 text=${4:-} output status=0
  output=$(cd "$dir" && tools/format-check 2>&1) || status=$?
  if [[ $status -ne $want || ( -n "$text" && "$output" != *"$text"* ) ]]; then
    echo "FAIL $name: status $status, output:"
    echo "$output"
    failures=$((failures + 1))
  else
    echo "ok   $name"
  fi
}

commit_file() {
  local dir=$1 path=$2 text=$3
  mkdir -p "$dir/$(dirname "$path")"
  echo "$text" >"$dir/$path"
  git -C "$dir" add "$path"
  git -C "$dir" commit -qm "$path"
}

# The repository as main has it: the check and its configuration, a file formatted before the
# check existed (never touched since), then one commit that just landed.
origin="$work/origin"
git init -q -b main "$origin"
mkdir -p "$origin/tools"
cp "$root/tools/format-check" "$root/tools/common.sh" "$origin/tools/"
cp "$root/.clang-format" "$origin/"
mkdir -p "$origin/framework"
echo "$formatted" >"$origin/framework/First.cpp"
git -C "$origin" add .
git -C "$origin" commit -qm "check"
expect_files "a repository of one commit checks all of its files" "$origin" framework/First.cpp
commit_file "$origin" old/Legacy.cpp "$unformatted"
commit_file "$origin" model/Landed.cpp "$formatted"

clone="$work/clone"
git clone -q "$origin" "$clone"
expect_files "a fresh clone of main checks the last commit" "$clone" model/Landed.cpp
expect_status "a well-formatted last commit passes" "$clone" 0

git -C "$clone" checkout -q -b feature
echo "$unformatted" >"$clone/model/Scratch.h"
expect_files "a branch just started checks only uncommitted files" "$clone" model/Scratch.h
expect_status "an unformatted untracked file fails, named in the output" "$clone" 1 model/Scratch.h
TALVEX_SKIP_FORMAT=1 expect_status "TALVEX_SKIP_FORMAT skips the check" "$clone" 0 skipped

commit_file "$clone" model/Feature.cpp "$formatted"
echo "$formatted" >>"$clone/old/Legacy.cpp"
git -C "$clone" rm -q model/Landed.cpp
expect_files "a branch checks committed, changed and untracked files since main, not deleted ones" \
  "$clone" model/Feature.cpp model/Scratch.h old/Legacy.cpp
rm "$clone/model/Scratch.h"
git -C "$clone" checkout -q old/Legacy.cpp
expect_status "a branch of formatted files passes" "$clone" 0

detached="$work/detached"
git clone -q "$origin" "$detached"
git -C "$detached" checkout -q --detach
git -C "$detached" branch -q -D main
expect_files "a detached clone compares against origin/main" "$detached" model/Landed.cpp
git -C "$detached" remote remove origin
expect_files "a detached clone without any main checks the last commit" "$detached" model/Landed.cpp
commit_file "$detached" output/Late.cpp "$unformatted"
expect_status "an unformatted last commit fails, named in the output" "$detached" 1 output/Late.cpp

shallow="$work/shallow"
git clone -q --depth 1 "file://$origin" "$shallow"
expect_status "a shallow clone, whose last commit's changes are unknown, checks nothing" \
  "$shallow" 0 "shallow clone"

[[ $failures -eq 0 ]] || { echo "$failures failure(s)"; exit 1; }
