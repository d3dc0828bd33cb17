// The page of `view` and of `watch --serve` in headless Chromium, driven through the DevTools
// protocol as a reader would use it: one browser for every check, each check waiting for the
// condition it needs rather than for a time. A screenshot of each state goes to
// SCENARIO_SCREENSHOTS.
//
//   SCENARIO_BUILDER=build/scenario-builder SCENARIO_SCREENSHOTS=build/screenshots \
//     node --test tests/browser/view_page_test.mjs
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { spawn, spawnSync } from 'node:child_process';
import { appendFileSync, mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';

const builder = process.env.SCENARIO_BUILDER;
const screenshots = process.env.SCENARIO_SCREENSHOTS;
const route = 'Valdora_Rova';
const train = '5284';
const trainFile = `${route}_${train}-.txt`;
// A bound for every wait: a condition that never comes fails the check instead of hanging.
const patience = 20000;

let work;
let browser;

function run(args) {
  const result = spawnSync(builder, args, { encoding: 'utf8', timeout: patience });
  return { status: result.status, stdout: result.stdout, stderr: result.stderr };
}

function sources(folder) {
  mkdirSync(folder, { recursive: true });
  const made = run(['sources', '--dir', folder]);
  assert.equal(made.status, 0, made.stderr);
}

function writeView(folder, out) {
  const written = run(['view', '--dir', folder, '--route', route, '--train', train, '--out', out]);
  return written;
}

async function screenshot(page, name) {
  await page.screenshot({ path: join(screenshots, `${name}.png`) });
}

// A page that records what would make it fail: errors on its console, errors thrown in it,
// and every request it makes beyond the address it was opened at.
async function openPage(address) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1400, height: 900 });
  const faults = { console: [], requests: [] };
  page.on('console', (message) => {
    if (message.type() === 'error') {
      faults.console.push(message.text());
    }
  });
  page.on('pageerror', (error) => faults.console.push(String(error)));
  page.on('request', (request) => {
    if (request.url() !== address && !request.url().startsWith('data:')) {
      faults.requests.push(request.url());
    }
  });
  await page.goto(address, { waitUntil: 'load' });
  await page.waitForFunction(() => window.scenarioView && window.scenarioView.redraws > 0, { timeout: patience });
  return { page, faults };
}

// Sets the view and waits until it has been drawn.
async function showRange(page, from, to) {
  const drawn = await page.evaluate(() => window.scenarioView.redraws);
  await page.evaluate((a, b) => window.scenarioView.setView(a, b), from, to);
  await page.waitForFunction((n) => window.scenarioView.redraws > n, { timeout: patience }, drawn);
}

async function canvasOrigin(page) {
  return page.evaluate(() => {
    const box = document.getElementById('canvas').getBoundingClientRect();
    return { x: box.left, y: box.top };
  });
}

// The middle of a lane of the objects panel, in the page's coordinates.
async function laneY(page, lane) {
  const origin = await canvasOrigin(page);
  const objects = await page.evaluate(() => window.scenarioView.layout.objects);
  return origin.y + objects.top + objects.lane * (lane + 0.5);
}

async function pageX(page, metre) {
  const origin = await canvasOrigin(page);
  return origin.x + (await page.evaluate((m) => window.scenarioView.xOf(m), metre));
}

async function cardText(page) {
  await page.waitForSelector('#card:not([hidden])', { timeout: patience });
  return page.$eval('#card', (card) => card.textContent);
}

before(async () => {
  assert.ok(builder, 'SCENARIO_BUILDER names the program');
  assert.ok(screenshots, 'SCENARIO_SCREENSHOTS names the folder of the screenshots');
  mkdirSync(screenshots, { recursive: true });
  work = mkdtempSync(join(tmpdir(), 'scenario-view-'));
  browser = await puppeteer.launch({
    executablePath: process.env.SCENARIO_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: [
      '--headless',
      '--no-sandbox',
      '--disable-gpu',
      '--disable-quic',
      '--no-first-run',
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync',
      `--user-data-dir=${join(work, 'profile')}`,
    ],
  });
});

after(async () => {
  if (browser) {
    await browser.close();
  }
  if (work) {
    rmSync(work, { recursive: true, force: true });
  }
});

test('the page of the built-in scenario, opened from its file', async (t) => {
  const folder = join(work, 'builtin');
  sources(folder);
  const out = join(work, 'builtin.html');
  const written = writeView(folder, out);
  assert.equal(written.status, 0, written.stderr);
  const address = pathToFileURL(out).href;
  const { page, faults } = await openPage(address);

  await t.test('loads with no console error and no network request', async () => {
    const data = await page.evaluate(() => window.scenarioView.data);
    assert.equal(data.route, route);
    assert.ok(data.distance.signals.length > 0);
    await screenshot(page, 'view-whole-line');
    assert.deepEqual(faults.console, []);
    assert.deepEqual(faults.requests, []);
  });

  await t.test('hovering the cell of the first signal shows its position and source line', async () => {
    const first = await page.evaluate(() => window.scenarioView.data.distance.signals[0]);
    assert.equal(first, 1000);
    await showRange(page, 0, 3000);
    // A few pixels beside the signal: the card snaps to the nearest object.
    await page.mouse.move((await pageX(page, first)) + 3, await laneY(page, 1));
    const text = await cardText(page);
    assert.match(text, /cell 21 · 1\.000 km/);
    assert.match(text, /signal/);
    assert.match(text, new RegExp(`${trainFile.replace('.', '\\.')}:63`));
    await screenshot(page, 'view-hover-first-signal');
  });

  await t.test('zooming to 36-37 km shows the slowdown at 36500 m', async () => {
    await page.mouse.move(5, 5);
    await showRange(page, 36000, 37000);
    const x = await pageX(page, 36600);
    // The band of the slowdown is drawn in the speed panel: its colour is there.
    const speed = await page.evaluate(() => window.scenarioView.layout.speed);
    const origin = await canvasOrigin(page);
    const colour = await page.evaluate((px, py) => {
      const canvas = document.getElementById('canvas');
      const ratio = canvas.width / canvas.getBoundingClientRect().width;
      return Array.from(canvas.getContext('2d').getImageData(px * ratio, py * ratio, 1, 1).data);
    }, x - origin.x, speed.top + speed.height - 6);
    assert.ok(colour[0] > colour[2], `slowdown band colour at 36600 m, not ${colour}`);
    await page.mouse.move(await pageX(page, 36500), await laneY(page, 1));
    const text = await cardText(page);
    assert.match(text, /cell 731 · 36\.500 km/);
    assert.match(text, /slowdown/);
    assert.match(text, new RegExp(`${trainFile.replace('.', '\\.')}:57`));
    await screenshot(page, 'view-slowdown-36-37-km');
  });

  await t.test('the wheel zooms around the pointer, a drag and the keys pan', async () => {
    await page.mouse.move(5, 5);
    await showRange(page, 36000, 37000);
    const x = await pageX(page, 36500);
    await page.mouse.move(x, await laneY(page, 3));
    let drawn = await page.evaluate(() => window.scenarioView.redraws);
    await page.mouse.wheel({ deltaY: -200 });
    await page.waitForFunction((n) => window.scenarioView.redraws > n, { timeout: patience }, drawn);
    const zoomed = await page.evaluate(() => window.scenarioView.view);
    assert.ok(zoomed.to - zoomed.from < 1000, 'the wheel zooms in');
    assert.ok(Math.abs((await pageX(page, 36500)) - x) < 1, 'the metre under the pointer stays there');

    const before = await page.evaluate(() => window.scenarioView.view);
    await page.mouse.down();
    await page.mouse.move(x - 100, await laneY(page, 3), { steps: 5 });
    await page.mouse.up();
    const dragged = await page.evaluate(() => window.scenarioView.view);
    const metresPerPixel = (before.to - before.from) / (await page.evaluate(() => window.scenarioView.layout.axisWidth));
    assert.ok(Math.abs(dragged.from - before.from - 100 * metresPerPixel) < 3 * metresPerPixel);

    drawn = await page.evaluate(() => window.scenarioView.redraws);
    await page.keyboard.press('-');
    await page.waitForFunction((n) => window.scenarioView.redraws > n, { timeout: patience }, drawn);
    const out = await page.evaluate(() => window.scenarioView.view);
    assert.ok(Math.abs(out.to - out.from - 2 * (dragged.to - dragged.from)) < 1);
  });

  await t.test('jumping to EMPOLI centres its area', async () => {
    await page.mouse.move(5, 5);
    await page.click('#jump-to', { clickCount: 3 });
    await page.keyboard.type('EMPOLI');
    const drawn = await page.evaluate(() => window.scenarioView.redraws);
    await page.keyboard.press('Enter');
    await page.waitForFunction((n) => window.scenarioView.redraws > n, { timeout: patience }, drawn);
    const { view, station } = await page.evaluate(() => ({
      view: window.scenarioView.view,
      station: window.scenarioView.data.distance.stations.find((s) => s[3] === 'EMPOLI'),
    }));
    assert.ok(station, 'EMPOLI is a station of the scenario');
    assert.ok(Math.abs((view.from + view.to) / 2 - (station[0] + station[1]) / 2) < 1);
    assert.ok(view.from < station[0] && view.to > station[1], 'the whole area is shown');
    await screenshot(page, 'view-jump-empoli');
  });
  await page.close();
});

test("a warning's marker on the axis opens its message", async () => {
  const folder = join(work, 'warning');
  sources(folder);
  // One value too many on the line of the first signal (line 63): a warning at 1000 m.
  const path = join(folder, trainFile);
  const text = readFileSync(path, 'latin1').replace('segnale,   1000, 1, 4, 1, 0, 0,     0, 0, 0, 0, 0',
    'segnale,   1000, 1, 4, 1, 0, 0,     0, 0, 0, 0, 0, 7');
  writeFileSync(path, text, 'latin1');
  const out = join(work, 'warning.html');
  const written = writeView(folder, out);
  assert.equal(written.status, 0, written.stderr);
  assert.match(written.stderr, /warning/);
  const { page, faults } = await openPage(pathToFileURL(out).href);
  await showRange(page, 0, 4000);
  const markers = await page.evaluate(() => window.scenarioView.markers);
  assert.equal(markers.length, 1);
  const origin = await canvasOrigin(page);
  await page.mouse.click(origin.x + markers[0].x, origin.y + markers[0].y);
  await page.waitForSelector('#message:not([hidden])', { timeout: patience });
  const message = await page.$eval('#message', (node) => node.textContent);
  assert.match(message, /warning/);
  assert.match(message, /takes 11 values, and its line holds 1 more/);
  assert.match(message, new RegExp(`${trainFile.replace('.', '\\.')}:63`));
  assert.match(message, /segnale, {3}1000/);
  await screenshot(page, 'view-warning-message');
  assert.deepEqual(faults.console, []);
  await page.close();
});

test('with --serve, editing a source redraws the open page with the new object, keeping its zoom', async () => {
  const folder = join(work, 'served');
  sources(folder);
  const watch = spawn(builder, ['watch', '--dir', folder, '--route', route, '--train', train, '--serve', '0'],
    { stdio: ['ignore', 'ignore', 'pipe'] });
  let said = '';
  const address = await new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error(`no address in: ${said}`)), patience);
    watch.stderr.on('data', (chunk) => {
      said += chunk;
      const found = said.match(/serving the page at (http:\/\/127\.0\.0\.1:\d+\/)/);
      if (found) {
        clearTimeout(timer);
        resolve(found[1]);
      }
    });
    watch.on('exit', (status) => reject(new Error(`watch ended with ${status}: ${said}`)));
  });
  const ended = new Promise((resolve) => watch.on('exit', (status, signal) => resolve({ status, signal })));
  try {
    const { page, faults } = await openPage(address);
    await page.waitForFunction(() => window.scenarioView.generation > 0, { timeout: patience });
    await showRange(page, 36000, 37000);
    const generation = await page.evaluate(() => window.scenarioView.generation);
    assert.ok(!(await page.evaluate(() => window.scenarioView.data.distance.signals.includes(36100))));

    appendFileSync(join(folder, trainFile), 'segnale,  36100, 1, 4, 1, 0, 0,     0, 0, 0, 0, 0\r\n', 'latin1');
    await page.waitForFunction((n) => window.scenarioView.generation > n, { timeout: patience }, generation);
    const after = await page.evaluate(() => ({
      view: window.scenarioView.view,
      signals: window.scenarioView.data.distance.signals,
    }));
    assert.ok(after.signals.includes(36100), 'the new signal is on the page');
    assert.deepEqual(after.view, { from: 36000, to: 37000 });
    await page.mouse.move(await pageX(page, 36100), await laneY(page, 1));
    assert.match(await cardText(page), new RegExp(`signal[\\s\\S]*${trainFile.replace('.', '\\.')}`));
    await screenshot(page, 'view-served-after-edit');

    // A save that leaves no line to draw: the page keeps its drawing, says that it is no
    // longer the scenario's, and lists the new errors; the next good save clears it.
    const lineFile = join(folder, `${route}_linea.txt`);
    const line = readFileSync(lineFile, 'latin1');
    const stale = async (n) => {
      await page.waitForFunction((k) => window.scenarioView.generation > k, { timeout: patience }, n);
      return page.evaluate(() => ({
        banner: document.getElementById('stale').hidden ? '' : document.getElementById('stale').textContent,
        count: document.getElementById('messages-button').textContent,
        view: window.scenarioView.view,
      }));
    };
    const beforeBreak = await page.evaluate(() => window.scenarioView.generation);
    writeFileSync(lineFile, line.replace('[generale]', '[generali]'), 'latin1');
    const broken = await stale(beforeBreak);
    assert.match(broken.banner, /^Not redrawn: there is no line to show/);
    assert.match(broken.count, /^1 error/);
    assert.deepEqual(broken.view, { from: 36000, to: 37000 });
    await screenshot(page, 'view-served-no-line');
    const beforeMend = await page.evaluate(() => window.scenarioView.generation);
    writeFileSync(lineFile, line, 'latin1');
    assert.equal((await stale(beforeMend)).banner, '');
    assert.deepEqual(faults.console, []);
    await page.close();
  } finally {
    watch.kill('SIGINT');
  }
  const end = await ended;
  assert.equal(end.status, 0, said);
  assert.match(said, /stopped/);
});
