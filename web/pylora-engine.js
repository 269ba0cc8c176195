// The core in the page: one call, a request as JSON, an answer as JSON. Every window's texts,
// runs, reports and files come from it; no formula lives in the page.
"use strict";
var Pylora = window.Pylora || {};
window.Pylora = Pylora;

Pylora.engine = {
  core: null,
  // The compiled core, the loader, and the windows' definitions, written beside the page by the
  // build. Loaded after the menu is drawn: the menu answers while the binary compiles.
  kScripts: ["pylora-core-binary.js", "pylora-core.js", "pylora-definitions.js"],

  // Resolves once the compiled core is ready.
  start: function () {
    var self = this;
    return Promise.all(this.kScripts.map(this.loadScript)).then(function () {
      var bytes = self.decode(pyloraCoreBinary);
      pyloraCoreBinary = null;  // the script's text is not needed once decoded
      return createPyloraCore({ wasmBinary: bytes });
    }).then(function (core) { self.core = core; return self; });
  },

  // A classic script beside the page, run in the order asked for (a page opened from the disk
  // may load scripts but fetch nothing).
  loadScript: function (name) {
    return new Promise(function (resolve, reject) {
      var script = document.createElement("script");
      script.src = name;
      script.async = false;
      script.onload = resolve;
      script.onerror = function () { reject(new Error(name)); };
      document.head.appendChild(script);
    });
  },

  // Bytes from base64: the binary, and the files the core writes (DOCX, DXF).
  decode: function (base64) {
    if (Uint8Array.fromBase64) return Uint8Array.fromBase64(base64);
    var text = atob(base64), bytes = new Uint8Array(text.length);
    for (var i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
    return bytes;
  },

  // The browser compiles the core's code as it is first run: each window is made and dropped
  // unseen, one while the page is idle, so that the first window opened takes no longer than
  // the next.
  warmWhenIdle: function (forms) {
    var self = this, later = window.requestIdleCallback || function (f) { return setTimeout(f, 50); };
    var next = function () {
      if (!forms.length) return;
      try { self.call("warm", { form: forms.shift() }); } catch (e) { /* a window that cannot open shows why when opened */ }
      later(next);
    };
    later(next);
  },

  // Throws an Error with the core's message when the request is refused.
  call: function (op, args) {
    var request = Object.assign({ op: op }, args || {});
    var answer = JSON.parse(this.core.ccall("pylora_call", "string", ["string"], [JSON.stringify(request)]));
    if (answer && answer.error !== undefined && op !== "profile") throw new Error(answer.error);
    return answer;
  }
};
