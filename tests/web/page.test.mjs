// The web page in headless Chromium: the game played with the keyboard alone, the files
// kept in the browser's storage across a reload and a restart of the browser, downloads in
// the desktop game's format, the narrow layout, and what the page says when it cannot play.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, describe, test } from 'node:test';
import { pathToFileURL } from 'node:url';
import { launch, newProfile, removeProfile, serve, site, stream } from './browser.mjs';

const PAGE_PROMPT = '(premi INVIO)';

let server;
before(async () => {
  server = await serve();
});
after(() => server.stop());

// A browser on a fresh profile for one test; `reopen` starts it again on the same profile,
// as a player closing and reopening the browser.
async function withBrowser(work) {
  const profile = newProfile();
  let context = await launch(profile);
  const reopen = async () => {
    await context.close();
    context = await launch(profile);
    return context;
  };
  try {
    await work(context, reopen);
  } finally {
    await context.close();
    removeProfile(profile);
  }
}

async function open(context, url = server.url, tab = undefined) {
  const page = tab ?? context.pages()[0] ?? (await context.newPage());
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  page.errors = errors;
  await page.goto(url);
  return page;
}

async function ready(page) {
  await page.waitForFunction(() => !document.getElementById('TextInput').disabled);
}

const story = (page) => page.locator('#Schermo').innerText();
const commandBox = (page) => page.locator('#TextInput').inputValue();

// Enter on each held page of the introduction, as a player reads it.
async function readIntroduction(page) {
  while ((await commandBox(page)) === PAGE_PROMPT) await page.keyboard.press('Enter');
}

async function type(page, command) {
  await page.keyboard.type(command);
  await page.keyboard.press('Enter');
}

// Whether IndexedDB holds the file: what a reload or a restart will find.
function kept(page, name) {
  return page.evaluate(
    (file) =>
      new Promise((resolve) => {
        const request = indexedDB.open('la-vortila');
        request.onerror = () => resolve(false);
        request.onsuccess = () => {
          const get = request.result.transaction('file').objectStore('file').get(file);
          get.onsuccess = () => resolve(get.result !== undefined);
          get.onerror = () => resolve(false);
        };
      }),
    name,
  );
}

async function waitUntilKept(page, name) {
  for (let tries = 0; tries < 50 && !(await kept(page, name)); tries++) {
    await page.waitForTimeout(100);
  }
  assert.ok(await kept(page, name), `${name} is not in the browser's storage`);
}

// The file the page's button for `name` downloads, as text, checked to be named as it is.
async function download(page, name) {
  const [file] = await Promise.all([
    page.waitForEvent('download'),
    page.getByRole('button', { name: `Scarica ${name}` }).click(),
  ]);
  assert.equal(file.suggestedFilename(), name);
  return readFileSync(await file.path(), 'utf8');
}

// Plays `commands` after the introduction through the text stream, the same engine reading
// the real file system as the desktop programs do, with `files` in the player's folder:
// what it wrote out, and the player's files afterwards.
function playStream(commands, files = {}) {
  const saves = mkdtempSync(join(tmpdir(), 'vortila-saves-'));
  try {
    for (const [name, bytes] of Object.entries(files)) writeFileSync(join(saves, name), bytes);
    const input = '\n'.repeat(7) + commands.map((command) => `${command}\n`).join('');
    const data = new URL('../../data', import.meta.url).pathname;
    const output = execFileSync('node', [stream, '--data', data, '--saves', saves], { input });
    const after = readdirSync(saves).map((name) => [name, readFileSync(join(saves, name))]);
    return { output: output.toString(), files: Object.fromEntries(after) };
  } finally {
    rmSync(saves, { recursive: true, force: true });
  }
}

// How many distinct colours a screenshot has: a blank or unstyled page has a handful.
function countColours(page, png) {
  return page.evaluate(async (base64) => {
    const image = new Image();
    image.src = `data:image/png;base64,${base64}`;
    await image.decode();
    const canvas = new OffscreenCanvas(image.width, image.height);
    const context = canvas.getContext('2d');
    context.drawImage(image, 0, 0);
    const pixels = context.getImageData(0, 0, image.width, image.height).data;
    const colours = new Set();
    for (let i = 0; i < pixels.length; i += 4 * 7) {
      colours.add((pixels[i] << 16) | (pixels[i + 1] << 8) | pixels[i + 2]);
    }
    return colours.size;
  }, png.toString('base64'));
}

describe('playing with the keyboard alone', () => {
  test('the introduction page by page, commands, the history and the inventory', async () => {
    await withBrowser(async (context) => {
      const page = await open(context);
      await ready(page);
      const box = page.getByRole('textbox', { name: 'Comando' });
      assert.equal(await box.getAttribute('placeholder'), 'Inserire qui i comandi');
      assert.ok(await box.evaluate((element) => element === document.activeElement));
      assert.match(await story(page), /LA VORTILA/);
      assert.equal(await commandBox(page), PAGE_PROMPT);
      assert.ok((await page.locator('.riga').count()) >= 25);
      assert.equal(await page.getByRole('img').getAttribute('src'), 'data/001.pkd');

      // Each page continued brings the next picture of the introduction.
      await page.keyboard.press('Enter');
      assert.equal(await page.getByRole('img').getAttribute('src'), 'data/002.pkd');
      await readIntroduction(page);
      assert.match(await story(page), /NEL BUIO/);
      assert.match(await page.locator('#Inventarietto').innerText(), /la torcia/);

      await type(page, 'accendi la torcia');
      assert.match(await story(page), / > ACCENDI LA TORCIA\n/);
      await type(page, 'guarda');
      assert.equal(await commandBox(page), '');
      // A click on the story keeps the keys in the command box.
      await page.locator('#Schermo').click();
      assert.ok(await box.evaluate((element) => element === document.activeElement));
      await page.keyboard.press('ArrowUp');
      await page.keyboard.press('ArrowUp');
      assert.equal(await commandBox(page), 'accendi la torcia');
      // Down shows first again what the last Up showed, then the newer one.
      await page.keyboard.press('ArrowDown');
      await page.keyboard.press('ArrowDown');
      assert.equal(await commandBox(page), 'guarda');
      assert.deepEqual(page.errors, []);

      const shot = await page.screenshot();
      assert.ok((await countColours(page, shot)) > 50, 'the screenshot looks blank');
    });
  });

  test('the story is a log for screen readers and the oldest rows fade', async () => {
    await withBrowser(async (context) => {
      const page = await open(context);
      await ready(page);
      const log = page.getByRole('log', { name: 'Il racconto' });
      assert.equal(await log.getAttribute('aria-live'), 'polite');
      await readIntroduction(page);
      // New lines are added to the log and old ones never written over, which a screen
      // reader would not read out.
      await page.evaluate(() => {
        window.rowsBefore = new Map([...document.querySelectorAll('.riga')].map((r) => [r, r.textContent]));
      });
      await type(page, 'inventario');
      const rewritten = await page.evaluate(
        () => [...window.rowsBefore].filter(([row, text]) => row.isConnected && row.textContent !== text).length,
      );
      assert.equal(rewritten, 0);
      assert.match(await page.locator('.riga').last().innerText(), /tuta spaziale/);

      assert.match(await page.getByRole('img').getAttribute('alt'), /\S{10}/);
      // The two oldest rows are fainter than the rest, and still readable, in either look.
      for (const colorScheme of ['light', 'dark']) {
        await page.emulateMedia({ colorScheme });
        const contrasts = await page.evaluate(() => {
          const luminance = (colour) => {
            const [r, g, b] = colour.match(/\d+/g).map((c) => {
              const s = c / 255;
              return s <= 0.03928 ? s / 12.92 : ((s + 0.055) / 1.055) ** 2.4;
            });
            return 0.2126 * r + 0.7152 * g + 0.0722 * b;
          };
          const background = luminance(getComputedStyle(document.getElementById('Schermo')).backgroundColor);
          return [25, 24, 23].map((n) => {
            const text = luminance(getComputedStyle(document.querySelector(`.riga:nth-last-child(${n})`)).color);
            return (Math.max(text, background) + 0.05) / (Math.min(text, background) + 0.05);
          });
        });
        const [oldest, older, recent] = contrasts;
        assert.ok(oldest >= 4.5 && oldest < older && older < recent, `${colorScheme}: ${contrasts}`);
      }
    });
  });

  test('Ctrl+Z takes back a death, and the story scrolls back with PgUp', async () => {
    await withBrowser(async (context) => {
      const page = await open(context);
      await ready(page);
      await readIntroduction(page);
      await type(page, 'togliti il casco');
      await readIntroduction(page);
      assert.match(await story(page), /Vuoi RICOMINCIARE o FINIRE\?/);
      await page.keyboard.press('Control+z');
      assert.match(await story(page), /Ho annullato il comando «TOGLITI IL CASCO»\./);
      await type(page, 'inventario');
      assert.doesNotMatch(await page.locator('.riga').last().innerText(), /RICOMINCIARE/);

      const scrolled = () => page.locator('#Schermo').evaluate((s) => s.scrollHeight - s.clientHeight - s.scrollTop);
      assert.ok((await scrolled()) < 2, 'the story does not show its newest line');
      for (let i = 0; i < 3; i++) await page.keyboard.press('PageUp');
      assert.ok((await scrolled()) > 100, 'PgUp did not scroll the story back');
      await page.keyboard.press('PageDown');
      await page.keyboard.type('g');
      assert.ok((await scrolled()) < 2, 'a key typed did not return to the newest line');
      assert.equal(await commandBox(page), 'g');
    });
  });

  test('on a phone the picture and the inventory follow the text', async () => {
    await withBrowser(async (context) => {
      const page = await open(context);
      await ready(page);
      await readIntroduction(page);
      // Turned from a wide screen to a phone's, as the window of a browser is made narrow.
      await page.setViewportSize({ width: 390, height: 844 });
      await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
      const box = await page.locator('#TextInput').boundingBox();
      const picture = await page.locator('#cornice').boundingBox();
      const inventory = await page.locator('#Inventario').boundingBox();
      assert.ok(box.y + box.height <= 844, 'the command box is below the screen');
      assert.ok(picture.y >= box.y + box.height);
      assert.ok(inventory.y >= picture.y + picture.height);
      const width = await page.evaluate(() => document.documentElement.scrollWidth);
      assert.ok(width <= 390, `the page is ${width} pixels wide`);
      const newest = await page.locator('.riga').last().boundingBox();
      const pane = await page.locator('#Schermo').boundingBox();
      assert.ok(newest.y + newest.height <= pane.y + pane.height + 1, 'the newest line is out of sight');
      // The lines wrap rather than lose their ends.
      const cut = await page.$$eval('.riga', (rows) =>
        rows.filter((row) => row.scrollWidth > row.clientWidth || row.scrollHeight > row.clientHeight + 1).length,
      );
      assert.equal(cut, 0);
    });
  });
});

describe('files in the browser', () => {
  test('a saved game outlives a reload and a restart, loads, and downloads as written', async () => {
    await withBrowser(async (context, reopen) => {
      let page = await open(context);
      await ready(page);
      await readIntroduction(page);
      await type(page, 'posa il gancio');
      await type(page, 'salva prova');
      assert.match(await story(page), /Ho salvato nel file 'prova\.sav'\./);
      await waitUntilKept(page, 'prova.sav');

      const saved = await download(page, 'prova.sav');
      const lines = saved.split('\r\n');
      assert.equal(lines.length, 104, 'a saved game is 103 lines, each ended by CR LF');
      assert.equal(lines.at(-1), '');
      assert.ok(!/[^\r]\n/.test(saved), 'a line ends without CR');
      // The desktop's engine takes it up where the page left it: without the hook.
      const { output } = playStream(['carica prova', 'inventario'], { 'prova.sav': saved });
      assert.match(output, /Ho caricato/);
      assert.doesNotMatch(output.split(' > INVENTARIO')[1], /gancio/);
      assert.ok(await page.locator('#TextInput').evaluate((e) => e === document.activeElement));

      await page.reload();
      await ready(page);
      assert.equal(await page.getByRole('button', { name: 'Scarica prova.sav' }).count(), 1);

      page = await open(await reopen());
      await ready(page);
      await readIntroduction(page);
      await type(page, 'carica prova');
      assert.match(await story(page), /Ho caricato nel file 'prova\.sav'\./);
      assert.doesNotMatch(await page.locator('#Inventarietto').innerText(), /gancio/);
    });
  });

  test('a game saved in one tab survives a save in another opened before it', async () => {
    await withBrowser(async (context) => {
      const first = await open(context);
      const second = await open(context, server.url, await context.newPage());
      for (const page of [first, second]) {
        await ready(page);
        await readIntroduction(page);
      }
      await first.bringToFront();
      await type(first, 'salva primo');
      await waitUntilKept(first, 'primo.sav');
      await second.bringToFront();
      await type(second, 'salva secondo');
      await waitUntilKept(second, 'secondo.sav');
      await second.reload();
      await ready(second);
      for (const name of ['primo.sav', 'secondo.sav']) {
        assert.equal(await second.getByRole('button', { name: `Scarica ${name}` }).count(), 1);
      }
    });
  });

  test('a saved game chosen on the computer is checked and loaded, and not kept', async () => {
    await withBrowser(async (context) => {
      const page = await open(context);
      await ready(page);
      await readIntroduction(page);
      // The file is read and loaded after the click has returned, so each choice waits for
      // its own answer: a word alone may already stand in the story ("fuori" does).
      const choose = async (name, buffer, answer) => {
        const [chooser] = await Promise.all([
          page.waitForEvent('filechooser'),
          page.getByRole('button', { name: 'Carica una partita dal computer…' }).click(),
        ]);
        await chooser.setFiles({ name, mimeType: 'application/octet-stream', buffer });
        await page.waitForFunction(
          ([source, flags]) => new RegExp(source, flags).test(document.getElementById('Schermo').innerText),
          [answer.source, answer.flags],
        );
      };
      await choose('rotta.sav', Buffer.from('0\r\n"%s"\r\n'), /rotta\nErrore nel caricamento/);
      await choose('enorme.sav', Buffer.alloc(3 * 1024 * 1024, '0'), /enorme\nErrore nel caricamento/);
      assert.match(await page.locator('#Inventarietto').innerText(), /gancio/);

      const outside = playStream(['posa il gancio', 'salva fuori']).files['fuori.sav'];
      await choose('fuori.sav', outside, /Ho caricato nel file 'fuori\.sav'\./);
      assert.doesNotMatch(await page.locator('#Inventarietto').innerText(), /gancio/);
      assert.ok(await page.locator('#TextInput').evaluate((e) => e === document.activeElement));
      assert.equal(await page.getByRole('button', { name: 'Scarica fuori.sav' }).count(), 0);
    });
  });

  test('a game left when the page is hidden is kept and resumed at the next visit', async () => {
    await withBrowser(async (context) => {
      let page = await open(context);
      await ready(page);
      await readIntroduction(page);
      await type(page, 'posa il gancio');
      await page.evaluate(() => {
        Object.defineProperty(document, 'visibilityState', { value: 'hidden', configurable: true });
        document.dispatchEvent(new Event('visibilitychange'));
      });
      await waitUntilKept(page, 'ripresa.sav');

      await page.reload();
      await ready(page);
      const resume = page.getByRole('button', { name: 'Riprendi la partita interrotta' });
      await resume.click();
      assert.match(await story(page), /Ho caricato nel file 'ripresa\.sav'\./);
      assert.doesNotMatch(await page.locator('#Inventarietto').innerText(), /gancio/);
      assert.ok(await page.locator('#TextInput').evaluate((e) => e === document.activeElement));
    });
  });

  test('a transcript is kept and downloads as text', async () => {
    await withBrowser(async (context) => {
      const page = await open(context);
      await ready(page);
      await readIntroduction(page);
      await type(page, 'trascrizione');
      await type(page, 'guarda');
      await type(page, 'trascrizione');
      await waitUntilKept(page, 'Debug.txt');
      const text = await download(page, 'Debug.txt');
      assert.match(text, /^Ok - inzio nuova stampa su Debug\.txt\r\n/);
      assert.match(text, / > GUARDA\r\n/);
      assert.match(text, /------ FINE ------\r\n$/);
    });
  });

  test('storage that is full keeps what was saved before and says so', async () => {
    await withBrowser(async (context) => {
      let page = await open(context);
      await ready(page);
      await readIntroduction(page);
      await type(page, 'salva prima');
      await waitUntilKept(page, 'prima.sav');
      await page.evaluate(() => {
        IDBObjectStore.prototype.put = () => {
          throw new DOMException('Lo spazio è esaurito.', 'QuotaExceededError');
        };
      });
      await type(page, 'posa il gancio');
      await type(page, 'salva prima');
      await type(page, 'salva seconda');
      await page.waitForFunction(() => !document.getElementById('avviso').hidden);
      assert.match(await page.locator('#avviso').innerText(), /spazio è esaurito/);
      assert.equal(await kept(page, 'seconda.sav'), false);

      await page.reload();
      await ready(page);
      await readIntroduction(page);
      await type(page, 'carica prima');
      assert.match(await story(page), /Ho caricato nel file 'prima\.sav'\./);
      assert.match(await page.locator('#Inventarietto').innerText(), /gancio/);
    });
  });
});

describe('where the page cannot play', () => {
  test('opened as a file, it says how to open it', async () => {
    await withBrowser(async (context) => {
      const page = await open(context, pathToFileURL(`${site}/index.html`).href);
      const notice = page.getByRole('alert');
      await notice.waitFor();
      assert.match(await notice.innerText(), /aperta come file/);
      assert.ok(await page.locator('#TextInput').isDisabled());
    });
  });

  test('without WebAssembly, it says so', async () => {
    await withBrowser(async (context) => {
      await context.addInitScript(() => delete window.WebAssembly);
      const page = await open(context);
      const notice = page.getByRole('alert');
      await notice.waitFor();
      assert.match(await notice.innerText(), /non sa eseguire WebAssembly/);
    });
  });

  test('with its storage refused, it plays and says the saves will not last', async () => {
    await withBrowser(async (context) => {
      await context.addInitScript(() => {
        Object.defineProperty(window, 'indexedDB', { get: () => undefined });
      });
      const page = await open(context);
      await ready(page);
      assert.match(await page.getByRole('alert').innerText(), /non concede spazio/);
      await readIntroduction(page);
      await type(page, 'salva prova');
      assert.match(await story(page), /Ho salvato nel file 'prova\.sav'\./);
      assert.equal(await page.getByRole('button', { name: 'Scarica prova.sav' }).count(), 1);
    });
  });
});
