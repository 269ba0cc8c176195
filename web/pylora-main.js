// Start: the menu answers at once, drawn from the tree the build wrote beside the page; the
// compiled core loads meanwhile, then the windows left open last time come back and the windows
// chosen while it loaded open.
"use strict";

Pylora.menu.build(pyloraMenu);
Pylora.menuAt = performance.now();  // since the page was asked for: the benchmark reads it
document.body.dataset.menu = "true";

Pylora.engine.start().then(function () {
  Pylora.desk.restore();
  document.getElementById("loading").remove();
  Pylora.readyAt = performance.now();
  document.body.dataset.ready = "true";
  Pylora.menu.chooseWaiting();
  Pylora.engine.warmWhenIdle(Object.keys(pyloraDefinitions));
}, function (error) {
  document.getElementById("loading").textContent = "无法载入计算核心：" + error;
});
