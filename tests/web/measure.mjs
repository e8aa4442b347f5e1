// Measures the browser edition in headless Chromium (run by bench/measure-web): what a
// player downloads before the first page shows, pictures apart, as sent and compressed
// with gzip; the time from the navigation to the first page of the introduction shown; and
// the time from Enter to the reply painted.
import { gzipSync } from 'node:zlib';
import { launch, newProfile, removeProfile, serve } from './browser.mjs';

const NAVIGATIONS = 15;
const COMMANDS = 40;

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const kilobytes = (bytes) => `${(bytes / 1024).toFixed(1)} KB`;

async function withPage(work) {
  const profile = newProfile();
  const context = await launch(profile);
  try {
    return await work(context.pages()[0] ?? (await context.newPage()));
  } finally {
    await context.close();
    removeProfile(profile);
  }
}

const firstPage = (page) =>
  page.evaluate(async () => {
    while (!performance.getEntriesByName('vortila-prima-pagina').length) {
      await new Promise((resolve) => setTimeout(resolve, 5));
    }
    return performance.getEntriesByName('vortila-prima-pagina')[0].startTime;
  });

async function downloadSize(url) {
  return withPage(async (page) => {
    const bodies = [];
    page.on('response', (response) => {
      if (response.request().resourceType() !== 'image') bodies.push(response.body());
    });
    await page.goto(url);
    await firstPage(page);
    const files = await Promise.all(bodies);
    const sent = files.reduce((sum, body) => sum + body.length, 0);
    const gzipped = files.reduce((sum, body) => sum + gzipSync(body, { level: 9 }).length, 0);
    console.log(`download before the first page   ${files.length} files, ${kilobytes(sent)}, ` +
                `${kilobytes(gzipped)} with gzip (pictures apart)`);
  });
}

// A first visit, in a browser just started with a profile of its own, and a reload, when
// everything is cached.
async function navigationTimes(url) {
  const first = [];
  const reloaded = [];
  for (let i = 0; i < NAVIGATIONS; i++) {
    await withPage(async (page) => {
      await page.goto(url);
      first.push(await firstPage(page));
      await page.reload();
      reloaded.push(await firstPage(page));
    });
  }
  const report = (what, times) =>
    console.log(`${what.padEnd(33)}median ${median(times).toFixed(1)} ms (${NAVIGATIONS} times)`);
  report('first page, first visit', first);
  report('first page, reloaded', reloaded);
}

// Enter is dispatched as the keyboard would; the work is the key's handler with the page's
// style and layout brought up to date, and the frame is the time until the next frame has
// been painted, which also waits for the browser's next frame: how long that takes with no
// work at all is measured too.
async function enterTimes(url) {
  await withPage(async (page) => {
    await page.goto(url);
    await firstPage(page);
    const times = await page.evaluate(async (commands) => {
      const input = document.getElementById('TextInput');
      const enter = () =>
        input.dispatchEvent(new KeyboardEvent('keydown', { key: 'Enter', bubbles: true, cancelable: true }));
      while (input.value === '(premi INVIO)') enter();
      const afterPaint = () =>
        new Promise((resolve) =>
          requestAnimationFrame(() => {
            const channel = new MessageChannel();
            channel.port1.onmessage = resolve;
            channel.port2.postMessage(null);
          }),
        );
      const idle = [];
      for (let i = 0; i < commands; i++) {
        const start = performance.now();
        await afterPaint();
        idle.push(performance.now() - start);
      }
      const work = [];
      const frame = [];
      for (let i = 0; i < commands; i++) {
        await afterPaint();
        input.value = i % 2 ? 'guarda' : 'esamina la torcia';
        const start = performance.now();
        enter();
        document.getElementById('Schermo').getBoundingClientRect();
        work.push(performance.now() - start);
        await afterPaint();
        frame.push(performance.now() - start);
      }
      return { idle, work, frame };
    }, COMMANDS);
    const describe = (values) =>
      `median ${median(values).toFixed(2)} ms, slowest ${Math.max(...values).toFixed(2)} ms`;
    console.log(`Enter to the reply laid out      ${describe(times.work)} (${COMMANDS} commands)`);
    console.log(`Enter to the next frame painted  ${describe(times.frame)}`);
    console.log(`a frame with nothing to do       ${describe(times.idle)}`);
  });
}

const server = await serve();
try {
  await downloadSize(server.url);
  await navigationTimes(server.url);
  await enterTimes(server.url);
} finally {
  server.stop();
}
