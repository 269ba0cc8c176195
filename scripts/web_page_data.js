// Writes what the page shows before its compiled core is ready, asked of that same core once at
// build time: the menu tree (pylora-menu-data.js, read as the page opens) and every window's
// definition (pylora-definitions.js, loaded with the binary), so that the menu answers at once and
// a window opens without describing itself again.
//
//     node scripts/web_page_data.js CORE_FOLDER PAGE_FOLDER
"use strict";
const fs = require("fs");
const path = require("path");

const [coreFolder, pageFolder] = process.argv.slice(2);
const createPyloraCore = require(path.resolve(coreFolder, "pylora-core.js"));

createPyloraCore({ wasmBinary: fs.readFileSync(path.join(coreFolder, "pylora-core.wasm")) }).then((core) => {
  const call = (op, args) => {
    const answer = JSON.parse(core.ccall("pylora_call", "string", ["string"], [JSON.stringify({ op, ...args })]));
    if (answer.error !== undefined) throw new Error(`${op}: ${answer.error}`);
    return answer;
  };
  const definitions = {};
  for (const { form } of call("list").windows) definitions[form] = call("describe", { form });
  fs.writeFileSync(path.join(pageFolder, "pylora-menu-data.js"), `var pyloraMenu = ${JSON.stringify(call("menu").menu)};\n`);
  fs.writeFileSync(path.join(pageFolder, "pylora-definitions.js"), `var pyloraDefinitions = ${JSON.stringify(definitions)};\n`);
}).catch((error) => {
  console.error(error);
  process.exit(1);
});
