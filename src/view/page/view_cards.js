// The cards: what a cell holds under the pointer, with the source line that placed each object,
// and the compile's errors and warnings, one marker's messages or the whole list.
'use strict';

// ---- the hover card -------------------------------------------------------------------------

function stepValue(steps, metre) {
  const i = lowerBound(steps, metre, (s) => s[1]);
  if (i < steps.length && steps[i][0] <= metre) {
    return steps[i][2];
  }
  return null;
}

// The cell under the pointer: the cell of the nearest point object within six pixels, or
// else the cell whose object would stand at the nearest 50 m.
function cellAt(x) {
  const cellMetres = state.data.cell_metres;
  const metre = metreOf(x);
  const cells = state.pointCells;
  const guess = Math.round(metre / cellMetres) + 1;
  const i = lowerBound(cells, guess);
  let best = null;
  for (const j of [i - 1, i, i + 1]) {
    if (j >= 0 && j < cells.length) {
      const distance = Math.abs(xOf((cells[j] - 1) * cellMetres) - x);
      if (distance <= 6 && (best === null || distance < best.distance)) {
        best = { cell: cells[j], distance };
      }
    }
  }
  return best ? best.cell : Math.max(0, guess);
}

function element(tag, className, text) {
  const node = document.createElement(tag);
  if (className) {
    node.className = className;
  }
  if (text !== undefined) {
    node.textContent = text;
  }
  return node;
}

function sourceText(source) {
  if (!source) {
    return null;
  }
  const where = `${source.file}:${source.line}`;
  return source.added ? `added by the compile for ${source.record}, ${where}` : `${source.record}, ${where}`;
}

function objectNode(object) {
  const node = element('div', 'object');
  const head = element('div');
  head.appendChild(element('span', 'kind', object.kind + (object.name ? ` ${object.name}` : '')));
  node.appendChild(head);
  const fields = object.fields
    .filter((f) => f[1] !== '' && f[1] !== 'none')
    .map((f) => `${f[0]} ${f[1]}`)
    .join(' · ');
  if (fields) {
    node.appendChild(element('div', 'fields', fields));
  }
  const source = sourceText(object.source);
  if (source) {
    node.appendChild(element('div', 'source', source));
  }
  return node;
}

function showCard(x, y) {
  const data = state.data;
  const cell = cellAt(x);
  const metre = (cell - 1) * data.cell_metres;
  state.pointer.snapX = xOf(metre);
  card.replaceChildren();
  card.appendChild(element('h2', '', `cell ${cell} · ${(metre / 1000).toFixed(3)} km (${metre} m)`));
  const series = [];
  const gradient = stepValue(data.distance.gradient, metre);
  const speed = stepValue(data.distance.speed, metre);
  const adherence = stepValue(data.adherence, metre);
  if (gradient !== null) {
    series.push(`gradient ${gradient} ‰`);
  }
  if (speed !== null) {
    series.push(`speed limit ${speed} km/h`);
  }
  if (adherence !== null) {
    series.push(`adherence ${adherence}`);
  }
  if (series.length > 0) {
    card.appendChild(element('div', 'series', series.join(' · ')));
  }
  const shown = new Set();
  for (const object of state.objectsByCell.get(cell) || []) {
    card.appendChild(objectNode(object));
    shown.add(object);
  }
  for (const object of data.objects) {
    if (!shown.has(object) && object.span && object.span[0] <= metre && metre < object.span[1]) {
      card.appendChild(objectNode(object));
    }
  }
  card.hidden = false;
  const box = card.getBoundingClientRect();
  const left = x + 16 + box.width > state.width ? x - 16 - box.width : x + 16;
  const top = Math.min(Math.max(4, y - box.height / 2), state.height - box.height - 4);
  card.style.left = `${Math.max(4, left)}px`;
  card.style.top = `${Math.max(4, top)}px`;
}

function hideCard() {
  card.hidden = true;
  if (state.pointer) {
    state.pointer.snapX = undefined;
  }
}

// ---- diagnostics -------------------------------------------------------------------------

function messageNode(d) {
  const node = element('div', 'item');
  const head = element('div');
  head.appendChild(element('span', `severity-${d.severity}`, d.code ? `${d.severity} ${d.code}` : d.severity));
  const where = d.file ? ` ${d.file}:${d.line}` : '';
  const at = d.metre !== null ? ` at ${(d.metre / 1000).toFixed(3)} km` : '';
  head.appendChild(document.createTextNode(`${where}${at}`));
  node.appendChild(head);
  node.appendChild(element('div', '', d.message));
  for (const [file, line, note] of d.related || []) {
    node.appendChild(element('div', 'related', `${note} (${file}:${line})`));
  }
  if (d.source_line) {
    const caret = d.column > 0 ? `\n${' '.repeat(d.column - 1)}^` : '';
    node.appendChild(element('pre', '', d.source_line + caret));
  }
  return node;
}

function openMessages(indexes, x, y) {
  messageCard.replaceChildren();
  const close = element('button', 'close', '×');
  close.type = 'button';
  close.addEventListener('click', () => {
    messageCard.hidden = true;
  });
  messageCard.appendChild(close);
  for (const index of indexes) {
    messageCard.appendChild(messageNode(state.data.diagnostics[index]));
  }
  messageCard.hidden = false;
  const box = messageCard.getBoundingClientRect();
  messageCard.style.left = `${Math.max(4, Math.min(x - box.width / 2, state.width - box.width - 4))}px`;
  messageCard.style.top = `${y + 12}px`;
}

function showMessageCount() {
  const diagnostics = state.data.diagnostics;
  const errors = diagnostics.filter((d) => d.severity === 'error').length;
  const warnings = diagnostics.length - errors;
  messagesButton.textContent = `${errors} error${errors === 1 ? '' : 's'}, ${warnings} warning${warnings === 1 ? '' : 's'}`;
  messagesButton.classList.toggle('has-errors', errors > 0);
  messageList.hidden = true;
}

messagesButton.addEventListener('click', () => {
  if (!messageList.hidden) {
    messageList.hidden = true;
    return;
  }
  messageList.replaceChildren();
  state.data.diagnostics.forEach((d) => {
    const node = messageNode(d);
    if (d.metre !== null) {
      node.addEventListener('click', () => {
        centreOn(d.metre, Math.min(state.to - state.from, 2000));
        messageList.hidden = true;
      });
    }
    messageList.appendChild(node);
  });
  if (state.data.diagnostics.length === 0) {
    messageList.appendChild(element('div', '', 'The compile found nothing to report.'));
  }
  messageList.hidden = false;
});

function markerAt(x, y) {
  for (const marker of state.markers) {
    if (Math.abs(marker.x - x) <= 7 && Math.abs(marker.y - y) <= 8) {
      return marker;
    }
  }
  return null;
}
