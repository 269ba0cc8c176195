// The core's run in node, as the page runs it (a benchmark, not a test): a study of POINTS
// points of one window through the page's one call, best of five, in µs of processor time per
// point (time the machine gave other programs is not counted).
//
//   node bench/web/run_in_node.js CORE_JS FORM FIELD DEFAULT RESULT POINTS
"use strict";
const fs = require("fs");
const [coreScript, form, field, defaultText, result, pointsText] = process.argv.slice(2);
const createPyloraCore = require(require("path").resolve(coreScript));

createPyloraCore({ wasmBinary: fs.readFileSync(coreScript.replace(/\.js$/, ".wasm")) }).then((core) => {
  const call = (request) => {
    const answer = JSON.parse(core.ccall("pylora_call", "string", ["string"], [JSON.stringify(request)]));
    if (answer.error) throw new Error(answer.error);
    return answer;
  };
  const value = parseFloat(defaultText), points = parseInt(pointsText, 10);
  const study = { op: "study", form, vary: field, from: value * 0.9, to: value * 1.1, points, results: [result] };
  call({ op: "open", form });
  call(Object.assign({}, study, { points: 50 }));  // compiled by the engine before it is timed
  let best = Infinity;
  for (let k = 0; k < 5; ++k) {
    const start = process.cpuUsage();
    call(study);
    const spent = process.cpuUsage(start);
    best = Math.min(best, (spent.user + spent.system) / points);
  }
  console.log(best.toFixed(2));
});
