// The scenario's page: draws the plan and the panels on the distance axis from the page's
// data (the drawing model of `plot`, the objects in the author's terms and the compile's
// diagnostics) on one canvas, and lets the reader zoom, pan, hover and jump. Only what lies on
// screen is drawn, reduced to one minimum and maximum per pixel column, at most once per
// animation frame; every redraw is measured with performance marks named "scenario-redraw".
// Served by `watch --serve`, the page also listens for every new compile and redraws with it,
// keeping its zoom.
//
// The page's state: its colours and layout constants, the data of the compile shown, and the
// part of the line on screen (zoom, pan, jump). The other files of the page's script work on
// the state that this one keeps; the page puts them in one function, in the order of
// page_script_files in src/view/CMakeLists.txt.
'use strict';

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
