// The scenario's page: draws the plan and the panels on the distance axis from the page's
// data (the drawing model of `plot`, the objects in the author's terms and the compile's
// diagnostics) on one canvas, and lets the reader zoom, pan, hover and jump. Only what lies on
// screen is drawn, reduced to one minimum and maximum per pixel column, at most once per
// animation frame; every redraw is measured with performance marks named "scenario-redraw".
// Served by `watch --serve`, the page also listens for every new compile and redraws with it,
// keeping its zoom.
'use strict';

(function () {
  const margin = { left: 104, right: 16 };
  const colours = {
    axis: '#5b6475',
    grid: '#eceef2',
    text: '#1d2330',
    faint: '#8a93a3',
    track: '#1d2330',
    trackContext: '#c8ccd4',
    gradientUp: '#c0504d',
    gradientDown: '#4f8f3a',
    speed: '#1f5fbf',
    slowdown: 'rgba(230, 120, 20, 0.28)',
    slowdownText: '#b35a00',
    warningBoard: '#e67814',
    board: '#1f5fbf',
    station: 'rgba(120, 90, 170, 0.22)',
    stationText: '#4b2f86',
    signal: '#b3261e',
    indicator: '#00796b',
    mountain: ['#a07850', '#7b9e4f', '#9a7bb5'],
    curveRight: 'rgba(40, 120, 200, 0.35)',
    curveLeft: 'rgba(200, 80, 40, 0.35)',
    cab: 'rgba(0, 150, 136, 0.35)',
    reference: '#6d4c41',
    error: '#b3261e',
    warning: '#e09100',
    hover: 'rgba(11, 87, 208, 0.55)',
  };
  const font = '"DejaVu Sans", "Segoe UI", Arial, sans-serif';
  const lanes = ['stations', 'signals', 'indicator boards', 'mountain side', 'curves', 'cab signals', 'km references'];

  const canvas = document.getElementById('canvas');
  const context = canvas.getContext('2d');
  const card = document.getElementById('card');
  const messageCard = document.getElementById('message');
  const messageList = document.getElementById('messages');
  const messagesButton = document.getElementById('messages-button');

  const state = {
    data: null,
    from: 0,
    to: 1,
    width: 0,
    height: 0,
    layout: null,
    pointer: null,
    drag: null,
    pinch: null,
    frame: 0,
    redraws: 0,
    generation: 0,
    markers: [],
    objectsByCell: new Map(),
    pointCells: [],
  };

  // ---- the data ----------------------------------------------------------------------------

  function indexObjects(data) {
    const byCell = new Map();
    for (const object of data.objects) {
      for (const cell of object.cells || []) {
        if (!byCell.has(cell)) {
          byCell.set(cell, []);
        }
        if (!byCell.get(cell).includes(object)) {
          byCell.get(cell).push(object);
        }
      }
    }
    state.objectsByCell = byCell;
    state.pointCells = Array.from(byCell.keys()).sort((a, b) => a - b);
  }

  function takeData(data) {
    const first = state.data === null;
    state.data = data;
    indexObjects(data);
    const axis = data.distance;
    if (first) {
      state.from = axis.from;
      state.to = axis.to;
    } else {
      clampView();
    }
    document.title = data.title;
    document.getElementById('title').textContent = data.title;
    document.getElementById('subtitle').textContent = data.subtitle;
    const names = document.getElementById('station-names');
    names.replaceChildren();
    for (const station of axis.stations) {
      const option = document.createElement('option');
      option.value = station[3];
      names.appendChild(option);
    }
    showMessageCount();
    // A compile that made no line: the drawing is the last one made, and says so.
    const stale = document.getElementById('stale');
    stale.textContent = data.stale ? `Not redrawn: ${data.stale}` : '';
    stale.hidden = !data.stale;
    messageCard.hidden = true;
    requestDraw();
  }

  // The first index of a sorted array of numbers (or of arrays, by `key`) whose value is not
  // below `value`.
  function lowerBound(array, value, key) {
    let low = 0;
    let high = array.length;
    while (low < high) {
      const middle = (low + high) >> 1;
      const v = key ? key(array[middle]) : array[middle];
      if (v < value) {
        low = middle + 1;
      } else {
        high = middle;
      }
    }
    return low;
  }

  // ---- the view: the part of the line on screen ----------------------------------------------

  function axisWidth() {
    return Math.max(1, state.width - margin.left - margin.right);
  }

  function xOf(metre) {
    return margin.left + ((metre - state.from) / (state.to - state.from)) * axisWidth();
  }

  function metreOf(x) {
    return state.from + ((x - margin.left) / axisWidth()) * (state.to - state.from);
  }

  // The narrowest span shows a few cells; the widest the whole line.
  function clampView() {
    const axis = state.data.distance;
    const whole = axis.to - axis.from;
    let span = Math.min(Math.max(state.to - state.from, 100), whole);
    let from = Math.min(Math.max(state.from, axis.from), axis.to - span);
    if (!Number.isFinite(from)) {
      from = axis.from;
      span = whole;
    }
    state.from = from;
    state.to = from + span;
  }

  function setView(from, to) {
    state.from = from;
    state.to = to;
    clampView();
    requestDraw();
  }

  function zoomAt(x, factor) {
    const anchor = metreOf(x);
    setView(anchor - (anchor - state.from) * factor, anchor + (state.to - anchor) * factor);
  }

  function panBy(pixels) {
    const metres = (pixels / axisWidth()) * (state.to - state.from);
    setView(state.from + metres, state.to + metres);
  }

  function centreOn(metre, span) {
    const width = span || state.to - state.from;
    setView(metre - width / 2, metre + width / 2);
  }

  // A number is kilometres ("36.5", "36,5 km"); anything else names a station, whose area is
  // shown in the middle third of the axis.
  function jump(text) {
    const wanted = text.trim();
    if (wanted === '') {
      return false;
    }
    const number = wanted.replace(/\s*km$/i, '').replace(',', '.');
    if (/^-?\d+(\.\d+)?$/.test(number)) {
      centreOn(parseFloat(number) * 1000);
      return true;
    }
    const stations = state.data.distance.stations;
    const upper = wanted.toUpperCase();
    const station =
      stations.find((s) => s[3].toUpperCase() === upper) ||
      stations.find((s) => s[3].toUpperCase().startsWith(upper)) ||
      stations.find((s) => s[3].toUpperCase().includes(upper));
    if (!station) {
      return false;
    }
    const area = Math.max(station[1] - station[0], 100);
    centreOn((station[0] + station[1]) / 2, area * 3);
    return true;
  }

  // ---- drawing -------------------------------------------------------------------------------

  function requestDraw() {
    if (state.frame === 0) {
      state.frame = requestAnimationFrame(draw);
    }
  }

  function layoutPanels(width, height) {
    const top = 8;
    const planHeight = Math.max(120, Math.round(height * 0.3));
    const axisTop = top + planHeight + 10;
    const axisHeight = 46;
    const rest = height - axisTop - axisHeight - 8;
    const gradientHeight = Math.max(60, Math.round(rest * 0.22));
    const speedHeight = Math.max(80, Math.round(rest * 0.3));
    const objectsHeight = Math.max(lanes.length * 18, rest - gradientHeight - speedHeight - 16);
    const gradientTop = axisTop + axisHeight;
    const speedTop = gradientTop + gradientHeight + 8;
    const objectsTop = speedTop + speedHeight + 8;
    return {
      axisWidth: axisWidth(),
      plan: { top, height: planHeight },
      axis: { top: axisTop, height: axisHeight },
      gradient: { top: gradientTop, height: gradientHeight },
      speed: { top: speedTop, height: speedHeight },
      objects: { top: objectsTop, height: objectsHeight, lane: objectsHeight / lanes.length },
    };
  }

  function resize() {
    const box = canvas.getBoundingClientRect();
    const ratio = window.devicePixelRatio || 1;
    state.width = Math.max(320, Math.floor(box.width));
    state.height = Math.max(400, Math.floor(box.height));
    canvas.width = Math.floor(state.width * ratio);
    canvas.height = Math.floor(state.height * ratio);
    context.setTransform(ratio, 0, 0, ratio, 0, 0);
    requestDraw();
  }

  function draw() {
    state.frame = 0;
    if (state.data === null) {
      return;
    }
    performance.mark('scenario-redraw-start');
    const c = context;
    c.clearRect(0, 0, state.width, state.height);
    state.layout = layoutPanels(state.width, state.height);
    drawPlan(c, state.layout.plan);
    drawAxis(c, state.layout.axis);
    drawGradient(c, state.layout.gradient);
    drawSpeed(c, state.layout.speed);
    drawObjects(c, state.layout.objects);
    drawMarkers(c, state.layout.axis);
    drawPointer(c);
    state.redraws += 1;
    performance.measure('scenario-redraw', 'scenario-redraw-start');
    performance.clearMarks('scenario-redraw-start');
    if (performance.getEntriesByName('scenario-redraw').length > 2000) {
      performance.clearMeasures('scenario-redraw');
    }
  }

  function panelFrame(c, panel, title) {
    c.fillStyle = colours.grid;
    c.fillRect(margin.left, panel.top, axisWidth(), panel.height);
    c.fillStyle = colours.text;
    c.font = `bold 11px ${font}`;
    c.textBaseline = 'top';
    c.textAlign = 'left';
    c.fillText(title, 6, panel.top + 2);
  }

  function clipTo(c, panel) {
    c.save();
    c.beginPath();
    c.rect(margin.left, panel.top, axisWidth(), panel.height);
    c.clip();
  }

  // Labels that never overlap: each row of labels keeps the stretches of pixels it has given
  // out, and a label that would touch one is left out. Callers offer the labels that matter
  // most first; as the reader zooms out, fewer fit.
  function labelRow() {
    const taken = [];
    return {
      place(left, right) {
        for (const [a, b] of taken) {
          if (left < b + 4 && right > a - 4) {
            return false;
          }
        }
        taken.push([left, right]);
        return true;
      },
    };
  }

  function drawLabel(c, row, text, x, y, align, colour) {
    const width = c.measureText(text).width;
    let left = x - width / 2;
    if (align === 'left') {
      left = x + 3;
    }
    if (x < margin.left || x > state.width - margin.right) {
      return false;
    }
    // A label of an object near an edge of the axis is moved inside it whole.
    left = Math.min(Math.max(left, margin.left + 2), state.width - margin.right - width - 2);
    const right = left + width;
    if (!row.place(left, right)) {
      return false;
    }
    c.fillStyle = colours.text;
    if (colour) {
      c.fillStyle = colour;
    }
    c.textAlign = 'left';
    c.fillText(text, left, y);
    return true;
  }

  // Kilometre ticks: 1, 2 or 5 times a power of ten metres, a label at least 90 pixels apart.
  function tickStep() {
    const metresPerPixel = (state.to - state.from) / axisWidth();
    let step = 1;
    for (;;) {
      for (const factor of [1, 2, 5]) {
        if ((step * factor) / metresPerPixel >= 90) {
          return step * factor;
        }
      }
      step *= 10;
    }
  }

  function kmText(metre, step) {
    const digits = step >= 1000 ? 0 : step >= 100 ? 1 : step >= 10 ? 2 : 3;
    return `${(metre / 1000).toFixed(digits)} km`;
  }

  function drawAxis(c, panel) {
    const step = tickStep();
    c.strokeStyle = colours.axis;
    c.fillStyle = colours.axis;
    c.lineWidth = 1;
    c.beginPath();
    c.moveTo(margin.left, panel.top + 0.5);
    c.lineTo(state.width - margin.right, panel.top + 0.5);
    c.stroke();
    c.font = `11px ${font}`;
    c.textBaseline = 'top';
    const row = labelRow();
    for (let m = Math.ceil(state.from / step) * step; m <= state.to; m += step) {
      const x = Math.round(xOf(m)) + 0.5;
      c.beginPath();
      c.moveTo(x, panel.top);
      c.lineTo(x, panel.top + 5);
      c.stroke();
      drawLabel(c, row, kmText(m, step), x, panel.top + 7, 'centre', colours.axis);
    }
    const end = state.data.distance.line_end;
    if (end !== null && end >= state.from && end <= state.to) {
      c.fillStyle = colours.text;
      c.fillRect(Math.round(xOf(end)), panel.top - 4, 2, 10);
    }
  }

  // One minimum and maximum per pixel column of the steps [from, to, value] on screen.
  function columnsOf(steps) {
    const width = Math.ceil(axisWidth());
    const low = new Float64Array(width).fill(Infinity);
    const high = new Float64Array(width).fill(-Infinity);
    const first = lowerBound(steps, state.from, (s) => s[1]);
    for (let i = first; i < steps.length && steps[i][0] <= state.to; i++) {
      const [from, to, value] = steps[i];
      const a = Math.max(0, Math.floor(xOf(from) - margin.left));
      const b = Math.min(width - 1, Math.ceil(xOf(to) - margin.left) - 1);
      for (let column = a; column <= Math.max(a, b) && column < width; column++) {
        low[column] = Math.min(low[column], value);
        high[column] = Math.max(high[column], value);
      }
    }
    return { low, high, width };
  }

  function valueRange(steps, atLeast) {
    let low = -atLeast;
    let high = atLeast;
    for (const s of steps) {
      low = Math.min(low, s[2]);
      high = Math.max(high, s[2]);
    }
    return [low, high];
  }

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

  // The plan: the part of the track on the axis fills the panel, the rest of the line stays
  // in light grey around it; the level of thinning is the coarsest one finer than half a
  // pixel at this scale.
  function drawPlan(c, panel) {
    const plan = state.data.plan;
    c.fillStyle = '#fbfbfc';
    c.fillRect(margin.left, panel.top, axisWidth(), panel.height);
    c.fillStyle = colours.text;
    c.font = `bold 11px ${font}`;
    c.textBaseline = 'top';
    c.textAlign = 'left';
    c.fillText('plan', 6, panel.top + 2);
    if (!plan.levels) {
      c.font = `12px ${font}`;
      c.fillStyle = colours.faint;
      c.fillText(plan.missing, margin.left + 8, panel.top + 8);
      return;
    }
    const finest = plan.levels[plan.levels.length - 1];
    let box = [Infinity, Infinity, -Infinity, -Infinity];
    for (const [x, y] of trackPart(finest, state.from, state.to)) {
      box = [Math.min(box[0], x), Math.min(box[1], y), Math.max(box[2], x), Math.max(box[3], y)];
    }
    const room = { width: axisWidth() - 40, height: panel.height - 40 };
    const spanX = Math.max(box[2] - box[0], 1);
    const spanY = Math.max(box[3] - box[1], 1);
    const scale = Math.min(room.width / spanX, room.height / spanY);
    const centreX = (box[0] + box[2]) / 2;
    const centreY = (box[1] + box[3]) / 2;
    const midX = margin.left + axisWidth() / 2;
    const midY = panel.top + panel.height / 2;
    const toScreen = (x, y) => [midX + (x - centreX) * scale, midY - (y - centreY) * scale];
    state.planView = { toScreen, scale };

    let level = plan.levels[plan.levels.length - 1];
    for (const candidate of plan.levels) {
      if (candidate.tolerance * scale <= 0.5) {
        level = candidate;
        break;
      }
    }
    c.save();
    c.beginPath();
    c.rect(margin.left, panel.top, axisWidth(), panel.height);
    c.clip();
    // Around the part on the axis, the line before and after it, as far again as twice the
    // part each way, at the same level.
    const span = state.to - state.from;
    strokeTrack(c, trackPart(level, state.from - 2 * span, state.to + 2 * span), toScreen,
      colours.trackContext, 1);
    strokeTrack(c, trackPart(level, state.from, state.to), toScreen, colours.track, 2);

    // Signals only where they can be told apart from the track.
    c.fillStyle = colours.signal;
    for (const [metre, x, y] of span <= 20000 ? plan.signals : []) {
      if (visible(metre)) {
        const [sx, sy] = toScreen(x, y);
        c.fillRect(sx - 2, sy - 2, 4, 4);
      }
    }
    c.font = `11px ${font}`;
    c.textBaseline = 'bottom';
    const row = planLabels();
    for (const [name, metre, x, y] of plan.stations) {
      const [sx, sy] = toScreen(x, y);
      if (!visible(metre) && (sx < margin.left || sx > state.width)) {
        continue;
      }
      c.fillStyle = visible(metre) ? colours.stationText : colours.faint;
      c.beginPath();
      c.arc(sx, sy, 3, 0, 2 * Math.PI);
      c.fill();
      const width = c.measureText(name).width;
      if (row.place(sx + 4, sy - 14, sx + 6 + width, sy)) {
        c.fillText(name, sx + 5, sy - 2);
      }
    }
    c.restore();
  }

  // The plan's labels stand anywhere on the panel: a label is left out when its box meets
  // one already drawn.
  function planLabels() {
    const taken = [];
    return {
      place(left, top, right, bottom) {
        for (const [a, b, c2, d] of taken) {
          if (left < c2 && right > a && top < d && bottom > b) {
            return false;
          }
        }
        taken.push([left, top, right, bottom]);
        return true;
      },
    };
  }

  // The points of a level of the plan from metre `from` to metre `to`, the two ends placed
  // between the points kept around them: the level's points lie within its tolerance of the
  // chords between them, and along a chord the metres are evenly spread.
  function trackPart(level, from, to) {
    const m = level.m;
    const at = (i, metre) => {
      if (i <= 0 || i >= m.length) {
        const j = Math.min(Math.max(i, 0), m.length - 1);
        return [level.x[j], level.y[j]];
      }
      const t = (metre - m[i - 1]) / (m[i] - m[i - 1]);
      return [level.x[i - 1] + t * (level.x[i] - level.x[i - 1]),
        level.y[i - 1] + t * (level.y[i] - level.y[i - 1])];
    };
    const first = lowerBound(m, from);
    const last = lowerBound(m, to);
    const points = [at(first, Math.max(from, m[0]))];
    for (let i = first; i < last && i < m.length; i++) {
      points.push([level.x[i], level.y[i]]);
    }
    points.push(at(last, Math.min(to, m[m.length - 1])));
    return points;
  }

  function strokeTrack(c, points, toScreen, colour, width) {
    c.strokeStyle = colour;
    c.lineWidth = width;
    c.beginPath();
    let [px, py] = toScreen(points[0][0], points[0][1]);
    c.moveTo(px, py);
    for (let i = 1; i < points.length; i++) {
      const [x, y] = toScreen(points[i][0], points[i][1]);
      // A point within half a pixel of the last one drawn adds nothing.
      if (Math.abs(x - px) >= 0.5 || Math.abs(y - py) >= 0.5 || i === points.length - 1) {
        c.lineTo(x, y);
        px = x;
        py = y;
      }
    }
    c.stroke();
    c.lineWidth = 1;
  }

  // The diagnostics under the axis: one marker per pixel column and severity, errors over
  // warnings; a click opens the message of each diagnostic there.
  function drawMarkers(c, panel) {
    state.markers = [];
    const y = panel.top + panel.height - 11;
    const byColumn = new Map();
    state.data.diagnostics.forEach((d, index) => {
      if (d.metre === null || !visible(d.metre)) {
        return;
      }
      const x = Math.round(xOf(d.metre));
      const column = Math.round(x / 10);
      if (!byColumn.has(column)) {
        byColumn.set(column, { x, y, indexes: [], error: false });
      }
      const marker = byColumn.get(column);
      marker.indexes.push(index);
      marker.error = marker.error || d.severity === 'error';
    });
    for (const marker of byColumn.values()) {
      c.fillStyle = marker.error ? colours.error : colours.warning;
      c.beginPath();
      c.moveTo(marker.x, marker.y - 6);
      c.lineTo(marker.x + 6, marker.y + 5);
      c.lineTo(marker.x - 6, marker.y + 5);
      c.closePath();
      c.fill();
      c.fillStyle = '#fff';
      c.font = `bold 9px ${font}`;
      c.textAlign = 'center';
      c.textBaseline = 'middle';
      c.fillText('!', marker.x, marker.y + 1);
      state.markers.push(marker);
    }
  }

  function drawPointer(c) {
    if (!state.pointer || state.drag) {
      return;
    }
    const x = state.pointer.snapX;
    if (x === undefined || x < margin.left || x > state.width - margin.right) {
      return;
    }
    c.strokeStyle = colours.hover;
    c.beginPath();
    c.moveTo(Math.round(x) + 0.5, state.layout.axis.top);
    c.lineTo(Math.round(x) + 0.5, state.height);
    c.stroke();
  }

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

  // ---- input ---------------------------------------------------------------------------------

  function canvasPoint(event) {
    const box = canvas.getBoundingClientRect();
    return { x: event.clientX - box.left, y: event.clientY - box.top };
  }

  // The panels on the distance axis, below the axis and its markers.
  function onAxisPanels(y) {
    return state.layout !== null && y >= state.layout.gradient.top;
  }

  canvas.addEventListener('wheel', (event) => {
    event.preventDefault();
    const { x } = canvasPoint(event);
    const unit = event.deltaMode === 1 ? 16 : event.deltaMode === 2 ? state.height : 1;
    const dx = event.deltaX * unit;
    const dy = event.deltaY * unit;
    // A touchpad's sideways swipe pans; a wheel, a vertical swipe or a pinch (sent as a
    // wheel with the control key) zooms around the pointer.
    if (Math.abs(dx) > Math.abs(dy) && !event.ctrlKey) {
      panBy(dx);
    } else if (event.shiftKey) {
      panBy(dy);
    } else {
      zoomAt(Math.max(margin.left, x), Math.exp(dy * (event.ctrlKey ? 0.01 : 0.0015)));
    }
  }, { passive: false });

  const pointers = new Map();

  canvas.addEventListener('pointerdown', (event) => {
    const point = canvasPoint(event);
    const marker = markerAt(point.x, point.y);
    if (marker) {
      hideCard();
      openMessages(marker.indexes, marker.x, marker.y);
      return;
    }
    canvas.setPointerCapture(event.pointerId);
    pointers.set(event.pointerId, point);
    if (pointers.size === 2) {
      const [a, b] = Array.from(pointers.values());
      state.pinch = { distance: Math.abs(a.x - b.x), from: state.from, to: state.to, x: (a.x + b.x) / 2 };
      state.drag = null;
    } else {
      state.drag = { x: point.x, moved: false };
    }
  });

  canvas.addEventListener('pointermove', (event) => {
    const point = canvasPoint(event);
    if (pointers.has(event.pointerId)) {
      pointers.set(event.pointerId, point);
    }
    if (state.pinch && pointers.size === 2) {
      const [a, b] = Array.from(pointers.values());
      const distance = Math.max(Math.abs(a.x - b.x), 1);
      state.from = state.pinch.from;
      state.to = state.pinch.to;
      zoomAt(state.pinch.x, state.pinch.distance / distance);
      return;
    }
    if (state.drag) {
      const dx = point.x - state.drag.x;
      if (Math.abs(dx) > 2 || state.drag.moved) {
        state.drag.moved = true;
        canvas.classList.add('dragging');
        hideCard();
        panBy(-dx);
        state.drag.x = point.x;
      }
      return;
    }
    state.pointer = { x: point.x, y: point.y };
    if (onAxisPanels(point.y) && point.x >= margin.left && point.x <= state.width - margin.right) {
      showCard(point.x, point.y);
    } else {
      hideCard();
    }
    requestDraw();
  });

  function endPointer(event) {
    pointers.delete(event.pointerId);
    if (pointers.size < 2) {
      state.pinch = null;
    }
    if (pointers.size === 0) {
      state.drag = null;
      canvas.classList.remove('dragging');
    }
  }
  canvas.addEventListener('pointerup', endPointer);
  canvas.addEventListener('pointercancel', endPointer);
  canvas.addEventListener('pointerleave', () => {
    state.pointer = null;
    hideCard();
    requestDraw();
  });

  window.addEventListener('keydown', (event) => {
    if (event.target instanceof HTMLInputElement) {
      return;
    }
    const middle = margin.left + axisWidth() / 2;
    const keys = {
      '+': () => zoomAt(middle, 0.5),
      '=': () => zoomAt(middle, 0.5),
      '-': () => zoomAt(middle, 2),
      ArrowRight: () => panBy(axisWidth() / 4),
      ArrowLeft: () => panBy(-axisWidth() / 4),
      Home: () => setView(state.data.distance.from, state.data.distance.to),
      Escape: () => {
        messageCard.hidden = true;
        messageList.hidden = true;
      },
    };
    if (keys[event.key]) {
      event.preventDefault();
      keys[event.key]();
    }
  });

  document.getElementById('jump').addEventListener('submit', (event) => {
    event.preventDefault();
    const input = document.getElementById('jump-to');
    input.setCustomValidity(jump(input.value) ? '' : 'no such km or station');
    input.reportValidity();
  });

  window.addEventListener('resize', resize);

  // ---- a served page: every compile arrives as an event ------------------------------------------

  function listen() {
    if (!/^https?:$/.test(location.protocol) || typeof EventSource === 'undefined') {
      return;
    }
    const live = document.getElementById('live');
    const events = new EventSource('events');
    events.addEventListener('scenario', (event) => {
      state.generation += 1;
      takeData(JSON.parse(event.data));
      live.textContent = `live · compile ${event.lastEventId}`;
    });
    events.addEventListener('error', () => {
      live.textContent = 'live · waiting for the server';
    });
  }

  // For scripts and tests: the view's state and a few of its actions.
  window.scenarioView = {
    get data() {
      return state.data;
    },
    get view() {
      return { from: state.from, to: state.to };
    },
    get redraws() {
      return state.redraws;
    },
    get generation() {
      return state.generation;
    },
    get markers() {
      return state.markers.map((m) => ({ x: m.x, y: m.y, count: m.indexes.length }));
    },
    get layout() {
      return state.layout;
    },
    setView,
    jump,
    xOf,
    metreOf,
  };

  takeData(JSON.parse(document.getElementById('scenario-data').textContent));
  resize();
  listen();
})();
