#!/usr/bin/env bash
# The keyboard walk on a real terminal (tmux): arrow keys arrive as escape
# sequences and must move and open, not end the walk; q ends it cleanly.
#   terminal_walk.sh PREVIEW_PROGRAM
set -uo pipefail
program=$1
session=tg-preview-walk-$$
trap 'tmux kill-session -t "$session" 2>/dev/null' EXIT
tmux new-session -d -s "$session" -x 120 -y 40 "$program --interactive; echo exit=\$?; sleep 30" || exit 1

# Waits until the pane shows a line matching the pattern.
wait_for() {
  local i
  for i in $(seq 1 100); do
    tmux capture-pane -t "$session" -p | grep -q -- "$1" && return 0
    sleep 0.1
  done
  echo "terminal_walk: no line matching '$1' on the screen:"
  tmux capture-pane -t "$session" -p
  exit 1
}

wait_for '^Main menu > Options > Visualization$'
tmux send-keys -t "$session" Down Down Down Right
wait_for '^Main menu > Options > Visualization > Media Library$'
tmux send-keys -t "$session" Down c
wait_for 'Media Library > \[C -> E: context menu\]$'
tmux send-keys -t "$session" Escape Left Left
wait_for '^q quits'
tmux send-keys -t "$session" q
wait_for '^exit=0$'
echo "terminal_walk: passed"
