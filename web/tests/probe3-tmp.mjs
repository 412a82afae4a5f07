import { launch } from './harness.mjs';
const browser = await launch();
const p = await browser.newPage();
await p.setContent('<input id=z>');
await p.focus('#z'); await p.keyboard.type('ab12');
console.log(await p.$eval('#z', e => e.value));
await browser.close();
