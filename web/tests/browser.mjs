// Debian's Chromium for the browser tests. Every browser a test opens is
// closed once that test ends, passed or failed: a browser left open by a
// failed assertion keeps node's test runner waiting for ever.
import { afterEach } from 'node:test';
import { chromium } from 'playwright-core';

const open = new Set();
afterEach(async () => {
  for (const browser of open) await browser.close().catch(() => {});
  open.clear();
});

const kept = (browser) => {
  open.add(browser);
  return browser;
};
const CHROMIUM = '/usr/bin/chromium';

export const launch = async (options) => kept(await chromium.launch({ executablePath: CHROMIUM, ...options }));
export const launchPersistentContext = async (folder, options) =>
  kept(await chromium.launchPersistentContext(folder, { executablePath: CHROMIUM, ...options }));
