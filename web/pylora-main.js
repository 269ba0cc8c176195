// Start: the compiled core loads from the script beside the page; then the menu answers, and
// the windows left open last time come back.
"use strict";

Pylora.engine.start().then(function () {
  Pylora.menu.build(Pylora.engine.call("menu").menu);
  Pylora.desk.restore();
  document.getElementById("loading").remove();
  Pylora.readyAt = performance.now();  // since the page was asked for: the benchmark reads it
  document.body.dataset.ready = "true";
}, function (error) {
  document.getElementById("loading").textContent = "无法载入计算核心：" + error;
});
