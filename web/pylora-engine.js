// The core in the page: one call, a request as JSON, an answer as JSON. Every window's texts,
// runs, reports and files come from it; no formula lives in the page.
"use strict";
var Pylora = window.Pylora || {};
window.Pylora = Pylora;

Pylora.engine = {
  core: null,
  // Resolves once the compiled core is ready.
  start: function () {
    var self = this;
    var text = atob(pyloraCoreBinary), bytes = new Uint8Array(text.length);
    for (var i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
    pyloraCoreBinary = null;  // the script's text is not needed once decoded
    return createPyloraCore({ wasmBinary: bytes }).then(function (core) { self.core = core; return self; });
  },
  // Throws an Error with the core's message when the request is refused.
  call: function (op, args) {
    var request = Object.assign({ op: op }, args || {});
    var answer = JSON.parse(this.core.ccall("pylora_call", "string", ["string"], [JSON.stringify(request)]));
    if (answer && answer.error !== undefined && op !== "profile") throw new Error(answer.error);
    return answer;
  }
};
