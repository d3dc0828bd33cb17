// The reader's input (wheel, pinch, drag, touch, keys, the jump box), a served page's events
// that bring each new compile, the view's state for scripts and tests, and the page's start.
'use strict';

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
