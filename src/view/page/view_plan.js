// The plan of the line above the axis, at the level of thinning that suits the scale, with its
// labels; the markers of the diagnostics under the axis, and the pointer's line.
'use strict';

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
