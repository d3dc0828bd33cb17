#!/usr/bin/env bash
# Makes docs/editor.png: Neovim in an xterm on a private X server, editing the built-in train
# file with the language server: a misspelt signal keyword with its diagnostic, and the hover
# of the signal before it. Run on purpose, from the top of the repository, after `make build`;
# it installs xterm if it is missing.
#
# usage: docs/make-editor-picture.sh [PROGRAM]
set -euo pipefail
cd "$(dirname "$0")/.."
program="$(realpath "${1:-build/scenario-builder}")"
for package in xterm neovim xvfb imagemagick; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        DEBIAN_FRONTEND=noninteractive apt-get install -y "$package" >/dev/null
done
work="$(mktemp -d)"
xvfb_pid=""
trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; rm -rf "$work"' EXIT
"$program" sources --dir "$work/scenario" >/dev/null
sed -i 's/^segnale,   2100,/segnael,   2100,/' "$work/scenario/Valdora_Rova_5284-.txt"

cat >"$work/init.lua" <<LUA
vim.opt.termguicolors = false
vim.cmd('highlight NormalFloat ctermbg=237 ctermfg=252')
vim.cmd('highlight FloatBorder ctermbg=237 ctermfg=244')
vim.cmd('highlight DiagnosticWarn ctermfg=214')
vim.cmd('highlight DiagnosticVirtualTextWarn ctermfg=214')
vim.cmd('highlight LineNr ctermfg=242')
vim.opt.number = true
vim.opt.signcolumn = 'yes'
vim.api.nvim_create_autocmd({ 'BufReadPost' }, {
  pattern = { '*_linea.txt', '*-.txt' },
  callback = function(args)
    local id = vim.lsp.start_client({ name = 'scenario-builder', cmd = { '$program', 'lsp' },
                                      root_dir = vim.fn.fnamemodify(args.file, ':h') })
    vim.lsp.buf_attach_client(args.buf, id)
  end,
})
vim.defer_fn(function()
  -- The misspelt signal of line 64 in sight, with its diagnostic; the hover of the next one.
  vim.api.nvim_win_set_cursor(0, { 56, 0 })
  vim.cmd('normal! zt')
  vim.api.nvim_win_set_cursor(0, { 65, 3 })
  vim.lsp.buf.hover()
end, 1500)
LUA

Xvfb -displayfd 3 -screen 0 1200x720x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
TERM=xterm-256color xterm -tn xterm-256color -geometry 150x42+0+0 -fa 'DejaVu Sans Mono' -fs 10 -bg '#1e1e1e' -fg '#d4d4d4' \
    -e nvim -u "$work/init.lua" -i NONE "$work/scenario/Valdora_Rova_5284-.txt" &
sleep 4
import -window root -crop 1200x720+0+0 docs/editor.png
echo "docs/editor.png written"
