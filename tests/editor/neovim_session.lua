-- An author's session in Neovim with its own language client, headless: the built-in
-- sources in a fresh folder, the train file open; a keyword misspelt and the diagnostic read
-- back at its line and column; the "did you mean" fix applied and the diagnostic gone; a
-- signal hovered; the outline fetched; a record laid out by the formatter and the file
-- compiled to the same bytes as before. Run by CTest as
--   nvim --headless -u NONE -c "luafile neovim_session.lua"
-- with SCENARIO_BUILDER (the program) and SCENARIO_WORK (an empty folder) in the environment.
-- Ends Neovim with status 0 when every check holds, 1 otherwise.

local builder = os.getenv('SCENARIO_BUILDER')
local work = os.getenv('SCENARIO_WORK')
local failures = {}

local function check(holds, what)
  if not holds then
    table.insert(failures, what)
  end
end

local function finish()
  for _, failure in ipairs(failures) do
    io.stderr:write('FAILED: ' .. failure .. '\n')
  end
  io.stderr:write(#failures == 0 and 'all checks hold\n' or '')
  vim.cmd((#failures == 0) and 'qall!' or 'cquit!')
end

local function run(command)
  return os.execute(command .. ' >/dev/null 2>&1')
end

local function read_file(path)
  local file = io.open(path, 'rb')
  if not file then
    return nil
  end
  local content = file:read('*a')
  file:close()
  return content
end

local function compiled_bytes(folder)
  run(builder .. ' compile --dir ' .. folder .. ' --route Valdora_Rova --train 5284')
  return (read_file(folder .. '/Valdora_Rova_linea.dat') or '') ..
         (read_file(folder .. '/Valdora_Rova_5284.sim') or '') ..
         (read_file(folder .. '/Valdora_Rova_5284.dat') or '')
end

local ok, error_message = pcall(function()
  local source = work .. '/scenario'
  run(builder .. ' sources --dir ' .. source)
  local train = source .. '/Valdora_Rova_5284-.txt'
  vim.cmd('edit ' .. train)
  local buffer = vim.api.nvim_get_current_buf()
  local client_id = vim.lsp.start_client({
    name = 'scenario-builder',
    cmd = { builder, 'lsp' },
    root_dir = source,
  })
  check(client_id ~= nil, 'the language server starts')
  vim.lsp.buf_attach_client(buffer, client_id)
  local client = vim.lsp.get_client_by_id(client_id)
  check(vim.wait(10000, function() return client.initialized end, 20),
        'the server answers initialize')

  -- The built-in scenario has nothing to tell.
  vim.wait(1000, function() return false end, 50)
  check(#vim.diagnostic.get(buffer) == 0, 'the built-in train file has no diagnostic')

  -- Line 40 is "stazione,   7400, ...": the author misspells its keyword.
  vim.api.nvim_buf_set_text(buffer, 39, 0, 39, 8, { 'stazoine' })
  check(vim.wait(5000, function() return #vim.diagnostic.get(buffer) == 1 end, 20),
        'the misspelt keyword is told')
  local told = vim.diagnostic.get(buffer)[1] or {}
  check(told.lnum == 39 and told.col == 0 and told.end_col == 8,
        'at line 40, column 1, over the keyword (got ' .. tostring(told.lnum) .. ':' ..
        tostring(told.col) .. '-' .. tostring(told.end_col) .. ')')
  check(told.severity == vim.diagnostic.severity.WARN, 'as a warning')
  check(told.message and told.message:find('did you mean `stazione`?', 1, true) ~= nil,
        'saying which keyword was meant')

  -- The quick fix, applied as an editor applies it.
  vim.api.nvim_win_set_cursor(0, { 40, 0 })
  local params = vim.lsp.util.make_range_params()
  params.context = { diagnostics = {} }
  local actions = client.request_sync('textDocument/codeAction', params, 5000, buffer)
  local action = actions and actions.result and actions.result[1]
  check(action ~= nil and action.edit ~= nil, 'a quick fix is offered')
  if action and action.edit then
    vim.lsp.util.apply_workspace_edit(action.edit, 'utf-16')
  end
  check(vim.api.nvim_buf_get_lines(buffer, 39, 40, true)[1]:sub(1, 8) == 'stazione',
        'the fix writes the keyword')
  check(vim.wait(5000, function() return #vim.diagnostic.get(buffer) == 0 end, 20),
        'the diagnostic goes with the fix')

  -- Hover on the first signal, line 63.
  vim.api.nvim_win_set_cursor(0, { 63, 2 })
  local hover = client.request_sync('textDocument/hover', vim.lsp.util.make_position_params(),
                                    5000, buffer)
  local hover_text = hover and hover.result and hover.result.contents.value or ''
  check(hover_text:find('cell 21', 1, true) ~= nil, 'the hover names the signal\'s cell')
  check(hover_text:find('km 1.000', 1, true) ~= nil, 'the hover gives its position in km')

  -- The outline.
  local symbols = client.request_sync('textDocument/documentSymbol',
                                      { textDocument = vim.lsp.util.make_text_document_params() },
                                      5000, buffer)
  local stations
  for _, symbol in ipairs((symbols and symbols.result) or {}) do
    if symbol.name == 'stations' then
      stations = symbol
    end
  end
  check(stations ~= nil and #stations.children == 16, 'the outline lists 16 stations')
  check(stations ~= nil and stations.children[8].name == 'EMPOLI', 'the 8th is EMPOLI')

  -- Formatting: a record written tight is laid out in the built-in columns, and the file
  -- compiles to the same bytes as the file as written.
  vim.api.nvim_buf_set_lines(buffer, 63, 64, true, { 'segnale,2100,2,3,1,1,0,2,2,1,1,0' })
  local as_written = work .. '/as_written'
  vim.fn.mkdir(as_written, 'p')
  run('cp ' .. source .. '/Valdora_Rova_linea.txt ' .. as_written)
  vim.cmd('write ' .. as_written .. '/Valdora_Rova_5284-.txt')
  vim.lsp.buf.formatting_sync(nil, 5000)
  check(vim.api.nvim_buf_get_lines(buffer, 63, 64, true)[1] ==
        'segnale,   2100, 2, 3, 1, 1, 0,     2, 2, 1, 1, 0', 'the record is laid out')
  local formatted = work .. '/formatted'
  vim.fn.mkdir(formatted, 'p')
  run('cp ' .. source .. '/Valdora_Rova_linea.txt ' .. formatted)
  vim.cmd('write ' .. formatted .. '/Valdora_Rova_5284-.txt')
  local before = compiled_bytes(as_written)
  check(#before > 0, 'the file as written compiles')
  check(before == compiled_bytes(formatted), 'the formatted file compiles to the same bytes')

  vim.lsp.stop_client(client_id)
end)

check(ok, 'the session ran to its end: ' .. tostring(error_message))
finish()
