// The measures of bench/view_page.sh, in headless Chromium: node view_page_bench.mjs BUILDER DIR
// (DIR holds the generated scenario "Lunga", train "9000", and its page.html).
import { spawn } from 'node:child_process';
import { appendFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

const require = createRequire(join(process.env.NODE_PATH, 'x.js'));
const puppeteer = require('puppeteer-core');
const [builder, folder] = process.argv.slice(2);
const steps = 40;

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}

async function redrawn(page, count) {
  await page.waitForFunction((n) => window.scenarioView.redraws > n, { timeout: 30000 }, count);
}

async function stepsOf(page, act) {
  const durations = [];
  for (let i = 0; i < steps; i++) {
    await page.evaluate(() => performance.clearMeasures('scenario-redraw'));
    const count = await page.evaluate(() => window.scenarioView.redraws);
    await act(i);
    await redrawn(page, count);
    durations.push(await page.evaluate(() =>
      performance.getEntriesByName('scenario-redraw').reduce((sum, e) => sum + e.duration, 0)));
  }
  return durations;
}

const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
    `--user-data-dir=${join(folder, 'profile')}`],
});
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 1400, height: 900 });
  const opened = [];
  for (let i = 0; i < 5; i++) {
    const start = Date.now();
    await page.goto(pathToFileURL(join(folder, 'page.html')).href, { waitUntil: 'load' });
    await page.waitForFunction(() => window.scenarioView && window.scenarioView.redraws > 0);
    opened.push(Date.now() - start);
  }
  console.log(`page open to first drawing: median ${median(opened)} ms of ${opened.join(', ')}`);

  const box = await page.evaluate(() => {
    const r = document.getElementById('canvas').getBoundingClientRect();
    const objects = window.scenarioView.layout.objects;
    return { x: r.left + r.width / 2, y: r.top + objects.top + 10 };
  });
  await page.mouse.move(box.x, box.y);
  const zoomIn = await stepsOf(page, () => page.mouse.wheel({ deltaY: -120 }));
  const zoomOut = await stepsOf(page, () => page.mouse.wheel({ deltaY: 120 }));
  await page.evaluate(() => window.scenarioView.setView(0, 1000000));
  const panWhole = await stepsOf(page, (i) => page.mouse.wheel({ deltaX: i % 2 ? -200 : 200 }));
  await page.evaluate(() => window.scenarioView.setView(500000, 510000));
  const panNear = await stepsOf(page, (i) => page.mouse.wheel({ deltaX: i % 2 ? -200 : 200 }));
  const zoomSteps = zoomIn.concat(zoomOut);
  console.log(`redraw after a zoom step: median ${median(zoomSteps).toFixed(2)} ms, most ${Math.max(...zoomSteps).toFixed(2)} ms (${zoomSteps.length} steps, whole line to 100 m and back)`);
  console.log(`redraw after a pan step, whole line shown: median ${median(panWhole).toFixed(2)} ms, most ${Math.max(...panWhole).toFixed(2)} ms`);
  console.log(`redraw after a pan step, 10 km shown: median ${median(panNear).toFixed(2)} ms, most ${Math.max(...panNear).toFixed(2)} ms`);
  await page.close();

  const watch = spawn(builder, ['watch', '--dir', folder, '--route', 'Lunga', '--train', '9000', '--serve', '0'],
    { stdio: ['ignore', 'ignore', 'pipe'] });
  let said = '';
  const address = await new Promise((resolve, reject) => {
    watch.stderr.on('data', (chunk) => {
      said += chunk;
      const found = said.match(/serving the page at (http:\S+)/);
      if (found) {
        resolve(found[1].replace(/:$/, ''));
      }
    });
    watch.on('exit', () => reject(new Error(said)));
  });
  const served = await browser.newPage();
  await served.setViewport({ width: 1400, height: 900 });
  await served.goto(address);
  await served.waitForFunction(() => window.scenarioView && window.scenarioView.generation > 0, { timeout: 60000 });
  const latencies = [];
  for (let i = 0; i < 5; i++) {
    const generation = await served.evaluate(() => window.scenarioView.generation);
    const count = await served.evaluate(() => window.scenarioView.redraws);
    const start = Date.now();
    appendFileSync(join(folder, 'Lunga_9000-.txt'), `- saved ${i}\r\n`);
    await served.waitForFunction((g, n) => window.scenarioView.generation > g && window.scenarioView.redraws > n,
      { timeout: 60000, polling: 5 }, generation, count);
    latencies.push(Date.now() - start);
  }
  console.log(`save to the served page redrawn: median ${median(latencies)} ms of ${latencies.join(', ')}`);
  watch.kill('SIGINT');
} finally {
  await browser.close();
}
