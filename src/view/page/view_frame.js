// The page's frame of drawing: one redraw per animation frame at most, measured with
// performance marks; the panels' places; labels that never overlap; the kilometre axis; and
// the reduction of a series to one minimum and maximum per pixel column.
'use strict';

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
