// The desk under the menu: the windows the menu opened, each at most once, modeless, movable,
// the one chosen last in front. Windows not yet saved are kept in the browser's storage and
// come back when the page is opened again.
"use strict";

Pylora.desk = {
  windows: {},     // form name -> CalcWindow or About box
  active: null,    // the calculator window active last
  top: 10,
  kStorageKey: "pylora.open-windows",

  element: function () { return document.getElementById("desk"); },

  // Creates the window with its default texts on its first choice, else brings it forward.
  open: function (form) {
    var existing = this.windows[form];
    if (!existing) {
      existing = form === Pylora.AboutBox.formName ? new Pylora.AboutBox() : this.createCalcWindow(form);
      this.windows[form] = existing;
      this.element().appendChild(existing.root);
      this.placeNew(existing.root);
      if (existing.focusFirstInput) existing.focusFirstInput();
    }
    this.raise(form);
    return existing;
  },

  // A window's definition never changes: the build wrote every one beside the page, and the
  // core is asked only for one that is not there.
  definition: function (form) {
    if (!window.pyloraDefinitions) window.pyloraDefinitions = {};
    var written = window.pyloraDefinitions;
    return written[form] || (written[form] = Pylora.engine.call("describe", { form: form }));
  },

  createCalcWindow: function (form, state) {
    var definition = this.definition(form);
    var window = new Pylora.CalcWindow(definition, this.element());
    window.show(state || Pylora.engine.call("open", { form: form }));
    Pylora.contextMenu.attach(window);
    return window;
  },

  // A window opened from a case replaces the one open under that name.
  openState: function (form, state) {
    if (this.windows[form]) this.close(form, true);
    var window = this.createCalcWindow(form, state);
    this.windows[form] = window;
    this.element().appendChild(window.root);
    this.placeNew(window.root);
    this.raise(form);
    this.changed(form);
    return window;
  },

  close: function (form, keepState) {
    var window = this.windows[form];
    if (!window) return;
    window.root.remove();
    delete this.windows[form];
    if (window.form && !keepState) Pylora.engine.call("close", { form: form });
    if (this.active === form) this.active = null;
    this.remember();
  },

  raise: function (form) {
    var window = this.windows[form];
    if (!window) return;
    window.root.style.zIndex = String(++this.top);
    if (window instanceof Pylora.CalcWindow) this.active = form;
    Object.keys(this.windows).forEach(function (f) {
      Pylora.desk.windows[f].root.classList.toggle("active", f === form);
    });
  },

  placeNew: function (root) {
    var count = Object.keys(this.windows).length - 1;
    root.style.left = (16 + 24 * (count % 10)) + "px";
    root.style.top = (8 + 24 * (count % 10)) + "px";
  },

  makeDraggable: function (root, handle) {
    handle.addEventListener("pointerdown", function (event) {
      if (event.target.tagName === "BUTTON") return;
      var startX = event.clientX - root.offsetLeft, startY = event.clientY - root.offsetTop;
      var move = function (e) {
        root.style.left = Math.max(0, e.clientX - startX) + "px";
        root.style.top = Math.max(0, e.clientY - startY) + "px";
      };
      var up = function () {
        document.removeEventListener("pointermove", move);
        document.removeEventListener("pointerup", up);
      };
      document.addEventListener("pointermove", move);
      document.addEventListener("pointerup", up);
    });
  },

  activeWindow: function () { return this.active ? this.windows[this.active] : null; },

  // Prints the window alone, as one page.
  print: function (form) {
    this.raise(form);
    document.body.classList.add("printing-window");
    window.print();
    document.body.classList.remove("printing-window");
  },

  // A window's calculation changed: kept in the browser's storage, as the desktop keeps a
  // recovery copy, so that closing the tab loses nothing. Every window's case is written, so not
  // at each key typed: once typing pauses, and at once when the page is left or hidden.
  kRememberPause: 400,
  rememberTimer: null,

  changed: function () {
    var self = this;
    if (this.rememberTimer === null) this.rememberTimer = setTimeout(function () { self.remember(); }, this.kRememberPause);
  },

  rememberNow: function () { if (this.rememberTimer !== null) this.remember(); },

  remember: function () {
    clearTimeout(this.rememberTimer);
    this.rememberTimer = null;
    try {
      var kept = [];
      var self = this;
      Object.keys(this.windows).forEach(function (form) {
        if (!(self.windows[form] instanceof Pylora.CalcWindow)) return;
        kept.push(Pylora.engine.call("save_case", { form: form }).text);
      });
      window.localStorage.setItem(this.kStorageKey, JSON.stringify(kept));
    } catch (e) { /* storage refused (private mode, quota): nothing is kept */ }
  },

  // The windows open when the page was last left, with their inputs and steps.
  restore: function () {
    var kept;
    try { kept = JSON.parse(window.localStorage.getItem(this.kStorageKey) || "[]"); } catch (e) { kept = []; }
    var self = this;
    kept.forEach(function (text) {
      try {
        var state = Pylora.engine.call("open_case", { text: text, name: "" });
        self.openState(state.form, state);
      } catch (e) { /* a copy this version cannot read is left out */ }
    });
  }
};

window.addEventListener("pagehide", function () { Pylora.desk.rememberNow(); });
document.addEventListener("visibilitychange", function () {
  if (document.visibilityState === "hidden") Pylora.desk.rememberNow();
});
