import { serve, launch, open } from './harness.mjs';
const server = await serve();
const browser = await launch();
const p = await open(browser, server.url + '?class=CCXFNE&broker=ws://127.0.0.1:1/');
const s = await p.createCDPSession();
for (const expr of ['window', 'document', 'document.body', 'document.querySelector("#classDialog")', 'document.querySelector("#classDialog form")']) {
  const { result } = await s.send('Runtime.evaluate', { expression: expr });
  const { listeners } = await s.send('DOMDebugger.getEventListeners', { objectId: result.objectId });
  console.log(expr, listeners.filter(l => l.type.startsWith('key')).map(l => [l.type, l.useCapture, l.scriptId, l.lineNumber]));
}
await browser.close(); await server.close();
