// The panels on the distance axis: the gradient, the speed limit with its boards and slowdowns,
// and the lanes of objects (stations, signals, boards, mountain side, curves, cab signals,
// kilometre references), each drawing only what lies on screen.
'use strict';

function drawGradient(c, panel) {
  panelFrame(c, panel, 'gradient ‰');
  const steps = state.data.distance.gradient;
  const [low, high] = valueRange(steps, 5);
  const scale = (panel.height - 8) / (high - low);
  const yOf = (v) => panel.top + 4 + (high - v) * scale;
  const zero = yOf(0);
  const { low: lows, high: highs, width } = columnsOf(steps);
  clipTo(c, panel);
  // Runs of columns with the same reach are one rectangle each.
  let column = 0;
  while (column < width) {
    if (highs[column] === -Infinity) {
      column++;
      continue;
    }
    let end = column + 1;
    while (end < width && lows[end] === lows[column] && highs[end] === highs[column]) {
      end++;
    }
    const x = margin.left + column;
    if (highs[column] > 0) {
      c.fillStyle = colours.gradientUp;
      c.fillRect(x, yOf(highs[column]), end - column, zero - yOf(highs[column]));
    }
    if (lows[column] < 0) {
      c.fillStyle = colours.gradientDown;
      c.fillRect(x, zero, end - column, yOf(lows[column]) - zero);
    }
    column = end;
  }
  c.strokeStyle = colours.axis;
  c.beginPath();
  c.moveTo(margin.left, Math.round(zero) + 0.5);
  c.lineTo(state.width - margin.right, Math.round(zero) + 0.5);
  c.stroke();
  c.restore();
  c.fillStyle = colours.faint;
  c.font = `10px ${font}`;
  c.textAlign = 'right';
  c.textBaseline = 'middle';
  c.fillText(`${high}`, margin.left - 4, yOf(high));
  c.fillText(`${low}`, margin.left - 4, yOf(low));
}

function visible(metre) {
  return metre >= state.from && metre <= state.to;
}

function overlaps(from, to) {
  return to >= state.from && from <= state.to;
}

function drawSpeed(c, panel) {
  panelFrame(c, panel, 'speed km/h');
  const distance = state.data.distance;
  const [, high] = valueRange(distance.speed, 0);
  const top = Math.ceil((Math.max(high, 40) * 1.1) / 20) * 20;
  const yOf = (v) => panel.top + panel.height - 3 - (v / top) * (panel.height - 18);
  clipTo(c, panel);
  c.font = `11px ${font}`;
  c.textBaseline = 'bottom';
  const row = labelRow();
  for (const [from, to, speed] of distance.slowdowns) {
    if (!overlaps(from, to)) {
      continue;
    }
    const a = xOf(from);
    const b = Math.max(xOf(to), a + 2);
    c.fillStyle = colours.slowdown;
    c.fillRect(a, yOf(speed), b - a, panel.top + panel.height - yOf(speed));
    drawLabel(c, row, `${speed}`, (a + b) / 2, yOf(speed) - 1, 'centre', colours.slowdownText);
  }
  // The limit: a level line where a column holds one value, a vertical stroke where it
  // holds several.
  const { low, high: highs, width } = columnsOf(distance.speed);
  c.strokeStyle = colours.speed;
  c.lineWidth = 1.5;
  c.beginPath();
  let open = false;
  for (let column = 0; column < width; column++) {
    if (highs[column] === -Infinity) {
      open = false;
      continue;
    }
    const x = margin.left + column;
    if (!open) {
      c.moveTo(x, yOf(low[column]));
      open = true;
    } else {
      c.lineTo(x, yOf(low[column]));
    }
    if (highs[column] !== low[column]) {
      c.lineTo(x, yOf(highs[column]));
      c.lineTo(x, yOf(low[column]));
    }
    c.lineTo(x + 1, yOf(low[column]));
  }
  c.stroke();
  c.lineWidth = 1;
  for (const [metre, speed] of distance.warnings) {
    if (!visible(metre)) {
      continue;
    }
    const x = xOf(metre);
    c.fillStyle = colours.warningBoard;
    c.beginPath();
    c.moveTo(x, panel.top + panel.height - 12);
    c.lineTo(x - 5, panel.top + panel.height - 2);
    c.lineTo(x + 5, panel.top + panel.height - 2);
    c.closePath();
    c.fill();
    drawLabel(c, row, `⚠${speed}`, x, panel.top + panel.height - 13, 'centre', colours.warningBoard);
  }
  const boardRow = labelRow();
  let lastColumn = -1;
  for (const [metre, speed, text] of distance.boards) {
    if (!visible(metre)) {
      continue;
    }
    const x = Math.round(xOf(metre));
    if (x !== lastColumn) {
      c.fillStyle = colours.board;
      c.fillRect(x - 1, yOf(speed) - 6, 3, 6);
      lastColumn = x;
    }
    drawLabel(c, boardRow, text, x, yOf(speed) - 7, 'centre', colours.board);
  }
  c.restore();
  c.fillStyle = colours.faint;
  c.font = `10px ${font}`;
  c.textAlign = 'right';
  c.textBaseline = 'middle';
  c.fillText(`${Math.round(top)}`, margin.left - 4, yOf(top));
  c.fillText('0', margin.left - 4, yOf(0));
}

// Point objects: one stroke per pixel column however many objects share it.
function drawTicks(c, metres, top, height, colour) {
  c.fillStyle = colour;
  const first = lowerBound(metres, state.from);
  let lastColumn = -Infinity;
  for (let i = first; i < metres.length && metres[i] <= state.to; i++) {
    const x = Math.round(xOf(metres[i]));
    if (x !== lastColumn) {
      c.fillRect(x, top, 1.5, height);
      lastColumn = x;
    }
  }
}

function drawBands(c, bands, top, height, colourOf) {
  for (const band of bands) {
    if (!overlaps(band[0], band[1])) {
      continue;
    }
    const a = xOf(band[0]);
    const b = Math.max(xOf(band[1]), a + 1);
    c.fillStyle = colourOf(band);
    c.fillRect(a, top, b - a, height);
  }
}

function drawObjects(c, panel) {
  panelFrame(c, panel, '');
  const d = state.data.distance;
  const lane = panel.lane;
  const laneTop = (i) => panel.top + i * lane;
  c.font = `10px ${font}`;
  c.textBaseline = 'middle';
  c.textAlign = 'right';
  c.fillStyle = colours.faint;
  lanes.forEach((name, i) => c.fillText(name, margin.left - 4, laneTop(i) + lane / 2));
  clipTo(c, panel);
  c.font = `11px ${font}`;
  c.textBaseline = 'middle';
  const bandHeight = Math.min(lane - 4, 12);

  // Stations: the area, the name and the time.
  drawBands(c, d.stations, laneTop(0) + 2, lane - 4, () => colours.station);
  const stationRow = labelRow();
  for (const [from, to, position, name, time] of d.stations) {
    if (!overlaps(from, to)) {
      continue;
    }
    const x = xOf(position);
    c.fillStyle = colours.stationText;
    c.fillRect(Math.round(x), laneTop(0) + 2, 1.5, lane - 4);
    const text = time ? `${name} ${time}` : name;
    drawLabel(c, stationRow, text, x, laneTop(0) + lane / 2, 'left', colours.stationText) ||
      drawLabel(c, stationRow, name, x, laneTop(0) + lane / 2, 'left', colours.stationText);
  }

  drawTicks(c, d.signals, laneTop(1) + 3, lane - 6, colours.signal);

  const boards = d.indicator_boards.map((b) => b[0]);
  drawTicks(c, boards, laneTop(2) + 3, lane - 6, colours.indicator);
  const boardRow = labelRow();
  for (const [metre, text] of d.indicator_boards) {
    if (visible(metre) && text) {
      drawLabel(c, boardRow, text, xOf(metre), laneTop(2) + lane / 2, 'left', colours.indicator);
    }
  }

  drawBands(c, d.mountains, laneTop(3) + (lane - bandHeight) / 2, bandHeight,
    (m) => colours.mountain[(m[2] - 1 + 3) % 3]);

  drawBands(c, d.curves, laneTop(4) + (lane - bandHeight) / 2, bandHeight,
    (curve) => (curve[3] ? colours.curveLeft : colours.curveRight));
  const curveRow = labelRow();
  for (const [from, to, , left, radius] of d.curves) {
    if (overlaps(from, to)) {
      const text = `R ${Math.round(radius)}${left ? ' s' : ''}`;
      drawLabel(c, curveRow, text, (xOf(from) + xOf(to)) / 2, laneTop(4) + lane / 2, 'centre');
    }
  }

  if (d.cab_signals) {
    drawBands(c, [d.cab_signals], laneTop(5) + (lane - bandHeight) / 2, bandHeight, () => colours.cab);
    const [from, to, codes] = d.cab_signals;
    if (overlaps(from, to)) {
      const x = (Math.max(xOf(from), margin.left) + Math.min(xOf(to), state.width - margin.right)) / 2;
      drawLabel(c, labelRow(), `${codes} codes`, x, laneTop(5) + lane / 2, 'centre');
    }
  }

  const referenceRow = labelRow();
  drawTicks(c, d.kilometre_references.map((k) => k[0]), laneTop(6) + 3, lane - 6, colours.reference);
  for (const [metre, reading] of d.kilometre_references) {
    if (visible(metre)) {
      drawLabel(c, referenceRow, `reads ${(reading / 1000).toFixed(3)} km`, xOf(metre),
        laneTop(6) + lane / 2, 'left', colours.reference);
    }
  }
  c.restore();
}
