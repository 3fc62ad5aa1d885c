// Drives one page in Debian's Chromium for the Python end-to-end tests: reads
// one JSON command a line on standard input and answers each with one JSON
// line on standard output ({"ok": value} or {"error": text}).
//
//   node pagedriver.js URL [--headless] [--size WxH] [--device NAME] [--init FILE]...
//
// --device emulates one of playwright's phones ("iPhone 13 landscape": its
// viewport, pixel ratio, touch); each --init script runs in the page before
// the page's own.
//
// Commands: {"do": "click", "role": "button", "name": "OK"} (with "dialog": "Error",
// the button of that box), {"do": "key",
// "key": "Escape"}, {"do": "eval", "js": "expression"}, {"do": "shot",
// "path": "file.png", "selector": "canvas"}, {"do": "select", "label": "Resolution:",
// "index": 2}, {"do": "check", "label": "Windowed"}, {"do": "tap", "role": "button",
// "name": "OK"} or {"do": "tap", "x": 10, "y": 20} (a touch, on a phone), {"do": "pointer",
// "x": 10, "y": 20, "click": true} (the mouse moved there, and clicked), {"do": "record", "folder": dir,
// "seconds": 20, "selector": "canvas"}, {"do": "reload"}, {"do": "goto", "url": url},
// {"do": "console"} (the page's console messages so far), {"do": "cdp", "method":
// "HeapProfiler.collectGarbage", "params": {}} (a DevTools protocol call),
// {"do": "objects", "names": ["Memory"]} (how many objects of each name the page
// holds after a garbage collection), {"do": "listeners",
// "target": "document"} (the event types of the listeners on that object),
// {"do": "quit"}.
// Without --headless Chromium runs on $DISPLAY and plays its sound to the
// PulseAudio server of $PULSE_SERVER.
"use strict";

const readline = require("readline");
const fs = require("fs");
const {chromium, devices} = require("playwright-core");

// The values of every `--name value` on the command line.
function options(args, name) {
  return args.flatMap((arg, i) => arg == name && i + 1 < args.length ? [args[i + 1]] : []);
}

async function main() {
  const args = process.argv.slice(2);
  const url = args[0];
  const headless = args.includes("--headless");
  const sizeAt = args.indexOf("--size");
  const [width, height] = (sizeAt >= 0 ? args[sizeAt + 1] : "1024x768").split("x").map(Number);
  const [deviceName] = options(args, "--device");
  if (deviceName && !devices[deviceName])
    throw new Error("no device " + JSON.stringify(deviceName) + " in playwright's table");
  const browser = await chromium.launch({
    executablePath: process.env.SNOWGIG_CHROMIUM || "/usr/bin/chromium",
    headless: headless,
    timeout: 60000,
    args: [
      "--no-sandbox",
      "--use-angle=swiftshader", "--enable-unsafe-swiftshader", "--ignore-gpu-blocklist",
      "--window-position=0,0", "--window-size=" + width + "," + height,
      "--no-first-run", "--disable-infobars", "--disable-features=Translate",
      "--disable-background-timer-throttling", "--disable-renderer-backgrounding",
    ].concat((process.env.SNOWGIG_CHROMIUM_ARGS || "").split(" ").filter((a) => a)),
  });
  const context = await browser.newContext(deviceName ? {...devices[deviceName]} : {viewport: null});
  for (const script of options(args, "--init"))
    await context.addInitScript({content: fs.readFileSync(script, "utf8")});
  const page = await context.newPage();
  const console_ = [];
  page.on("console", (message) => console_.push(message.type() + ": " + message.text()));
  page.on("pageerror", (error) => console_.push("pageerror: " + error.message));
  await page.goto(url, {timeout: 60000});
  let devtools = null;
  const protocol = async (method, params) => {
    if (!devtools)
      devtools = await context.newCDPSession(page);
    return await devtools.send(method, params || {});
  };
  // A remote object of the page, released with its group by the caller.
  const remote = async (expression) =>
    (await protocol("Runtime.evaluate", {expression: expression, objectGroup: "driver"})).result;

  const commands = {
    async click(c) {
      const within = c.dialog ? page.getByRole("alertdialog", {name: c.dialog, exact: true}) : page;
      await within.getByRole(c.role, {name: c.name, exact: true}).click({timeout: c.timeout || 10000});
    },
    async key(c) { await page.keyboard.press(c.key); },
    async pointer(c) {
      await page.mouse.move(c.x, c.y);
      if (c.click)
        await page.mouse.click(c.x, c.y);
    },
    async tap(c) {
      if (c.role)
        await page.getByRole(c.role, {name: c.name, exact: true}).tap({timeout: c.timeout || 10000});
      else
        await page.touchscreen.tap(c.x, c.y);
    },
    async eval(c) { return await page.evaluate(c.js); },
    async wait(c) {
      await page.waitForFunction(c.js, null, {timeout: c.timeout || 30000, polling: 50});
    },
    async shot(c) {
      const target = c.selector ? page.locator(c.selector) : page;
      await target.screenshot({path: c.path, timeout: c.timeout || 10000});
    },
    async select(c) {
      await page.getByLabel(c.label).selectOption({index: c.index});
    },
    // Screenshots of c.selector one after another for c.seconds: [[moment,
    // path]], the moment (ms since the epoch) half way through each grab.
    async record(c) {
      const target = page.locator(c.selector);
      const shots = [];
      const end = Date.now() + c.seconds * 1000;
      for (let i = 0; Date.now() < end; i++) {
        const path = c.folder + "/shot-" + String(i).padStart(5, "0") + ".png";
        const before = Date.now();
        await target.screenshot({path: path, timeout: 10000});
        shots.push([(before + Date.now()) / 2, path]);
      }
      return shots;
    },
    async check(c) { await page.getByLabel(c.label, {exact: true}).check(); },
    async reload() { await page.reload({timeout: 60000}); },
    async goto(c) { await page.goto(c.url, {timeout: 60000}); },
    async console() { return console_.splice(0); },
    async cdp(c) { return await protocol(c.method, c.params); },
    // The heap snapshot's objects of those names ("Memory" for WebAssembly's,
    // "WebGLRenderingContext"), counted; a snapshot collects the garbage first.
    async objects(c) {
      const chunks = [];
      const take = (event) => chunks.push(event.chunk);
      await protocol("HeapProfiler.enable");  // opens the session the chunks come through
      devtools.on("HeapProfiler.addHeapSnapshotChunk", take);
      try {
        await protocol("HeapProfiler.takeHeapSnapshot", {reportProgress: false});
      } finally {
        devtools.off("HeapProfiler.addHeapSnapshotChunk", take);
      }
      const {snapshot, nodes, strings} = JSON.parse(chunks.join(""));
      const fields = snapshot.meta.node_fields;
      const object = snapshot.meta.node_types[0].indexOf("object");
      const typeAt = fields.indexOf("type"), nameAt = fields.indexOf("name");
      const counts = Object.fromEntries(c.names.map((name) => [name, 0]));
      for (let i = 0; i < nodes.length; i += fields.length) {
        const name = strings[nodes[i + nameAt]];
        if (nodes[i + typeAt] == object && Object.hasOwn(counts, name))
          counts[name]++;
      }
      return counts;
    },
    async listeners(c) {
      try {
        const target = await remote(c.target);
        const {listeners} = await protocol("DOMDebugger.getEventListeners",
                                           {objectId: target.objectId});
        return listeners.map((listener) => listener.type);
      } finally {
        await protocol("Runtime.releaseObjectGroup", {objectGroup: "driver"});
      }
    },
  };

  const lines = readline.createInterface({input: process.stdin});
  for await (const line of lines) {
    if (!line.trim())
      continue;
    let command;
    try {
      command = JSON.parse(line);
    } catch (error) {
      process.stdout.write(JSON.stringify({error: "not JSON: " + line}) + "\n");
      continue;
    }
    if (command.do == "quit")
      break;
    try {
      const run = commands[command.do];
      if (!run)
        throw new Error("no command " + command.do);
      const value = await run(command);
      process.stdout.write(JSON.stringify({ok: value === undefined ? null : value}) + "\n");
    } catch (error) {
      process.stdout.write(JSON.stringify({error: String(error.message || error)}) + "\n");
    }
  }
  await browser.close();
}

main().catch((error) => {
  process.stderr.write(String(error.stack || error) + "\n");
  process.exit(1);
});
