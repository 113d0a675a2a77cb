// SPDX-License-Identifier: GPL-3.0-or-later
// Start of the page: load the core beside it, build the page, register the offline cache.
import type { CoreModule } from './core_api';
import { App } from './app';

declare global {
  interface Window {
    kr4100?: { core: CoreModule; app: App; readyAt: number };
  }
}

async function start(): Promise<void> {
  // Loaded at run time from beside the page: the core is built on its own, never bundled.
  const coreUrl = new URL('./kr4100_core.js', import.meta.url).href;
  const { default: createCore } = (await import(/* @vite-ignore */ coreUrl)) as {
    default: (options?: object) => Promise<CoreModule>;
  };
  const core = await createCore();
  const app = new App(core);
  window.kr4100 = { core, app, readyAt: performance.now() };
  document.body.dataset.ready = 'true';
  if ('serviceWorker' in navigator && location.protocol !== 'file:') {
    // The first visit installs the offline copy: say so once it is in place.
    const firstInstall = !navigator.serviceWorker.controller;
    navigator.serviceWorker.register('./sw.js').then((registration) => {
      const worker = registration.installing;
      if (!firstInstall || !worker) return;
      worker.addEventListener('statechange', () => {
        if (worker.state === 'activated') app.say('information', 'offlineReady');
      });
    }).catch(() => undefined);
  }
}

start().catch((error: unknown) => {
  // Without the core the page has no words of its own; the reason goes to the console.
  console.error(error);
  document.body.dataset.ready = 'failed';
});
