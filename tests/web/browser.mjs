// What the page's tests and measurements share: the built site served on 127.0.0.1 by the
// same server that `./play --web` starts, and Debian's Chromium, headless, driven by
// playwright-core.
import { spawn } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { chromium } from 'playwright-core';

const build = new URL('../../build/web/', import.meta.url).pathname;
export const site = process.env.VORTILA_SITE ?? `${build}site`;
// vortila-stream built for Node.js.
export const stream = process.env.VORTILA_STREAM ?? `${build}vortila-stream.js`;

// Serves `folder` on a free port of 127.0.0.1; resolves to its address and a stop function.
export function serve(folder = site) {
  const server = spawn(
    'python3',
    ['-u', '-m', 'http.server', '--bind', '127.0.0.1', '--directory', folder, '0'],
    { stdio: ['ignore', 'pipe', 'pipe'] },
  );
  return new Promise((resolve, reject) => {
    let said = '';
    server.stdout.on('data', (chunk) => {
      said += chunk;
      const port = /port (\d+)/.exec(said);
      if (port) {
        resolve({
          url: `http://127.0.0.1:${port[1]}/`,
          stop: () => server.kill(),
        });
      }
    });
    server.on('exit', (code) => reject(new Error(`the server stopped (${code}): ${said}`)));
    server.on('error', reject);
  });
}

// A fresh profile folder for Chromium; the same folder opened again is the browser restarted.
export function newProfile() {
  return mkdtempSync(join(tmpdir(), 'vortila-chromium-'));
}

export function removeProfile(profile) {
  rmSync(profile, { recursive: true, force: true });
}

// Chromium on `profile`, with nothing that would reach beyond this machine. Resolves to a
// browser context; closing it closes the browser.
export function launch(profile) {
  return chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    viewport: { width: 1280, height: 800 },
    args: [
      '--no-sandbox',
      '--headless',
      '--disable-gpu',
      '--disable-quic',
      '--no-first-run',
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync',
    ],
  });
}
