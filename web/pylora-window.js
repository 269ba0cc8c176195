// The one calculator window of the page: draws any window's definition as the desktop does,
// mirrors its state both ways (typing goes to the core; a run's texts, colours and visibility
// show at once), greys stale results, frames the field that ended a run in red, and keeps the
// status line. Windows float on the desk, one per form name, each brought forward when chosen.
"use strict";

Pylora.CalcWindow = function (definition, desk) {
  this.definition = definition;
  this.form = definition.form;
  this.elements = {};   // control name -> its element
  this.captions = {};   // control name -> its caption element
  this.frameGrids = { "": null };
  this.buildLayout(desk);
};

Pylora.CalcWindow.prototype.buildLayout = function (desk) {
  var L = Pylora.layout, self = this, def = this.definition;
  var root = L.element("section", "calc-window");
  root.dataset.form = this.form;
  root.setAttribute("role", "dialog");
  root.setAttribute("aria-label", def.title);
  var titleBar = L.element("header", "window-title");
  titleBar.appendChild(L.element("span", "window-title-text", def.title));
  var close = L.element("button", "window-close", "×");
  close.title = "关闭";
  close.dataset.action = "close";
  close.addEventListener("click", function () { Pylora.desk.close(self.form); });
  titleBar.appendChild(close);
  root.appendChild(titleBar);
  Pylora.desk.makeDraggable(root, titleBar);

  var content = L.element("div", "window-content");
  root.appendChild(content);
  var controls = def.layout;
  var byName = {};
  def.controls.forEach(function (c) { byName[c.name] = c; });
  this.described = byName;

  // Title and note first, in large type and as a wrapping paragraph.
  controls.forEach(function (c) {
    if (c.style !== "plain") content.appendChild(self.createControl(c, byName[c.name]));
  });
  var body = L.element("div", "frame-grid body-grid");
  content.appendChild(body);
  this.frameGrids[""] = body;
  def.frames.forEach(function (f) {
    var box = L.element("fieldset", "frame frame-" + f.role);
    box.dataset.frame = f.name;
    if (f.caption) box.appendChild(L.element("legend", "", f.caption));
    var grid = L.element("div", "frame-grid");
    box.appendChild(grid);
    self.frameGrids[f.name] = grid;
    // Frames come after the frame that encloses them.
    L.place(box, f.place, 2 * f.place.column, 2 * f.place.columns);
    (self.frameGrids[f.parent] || body).appendChild(box);
  });
  var buttonRow = L.element("div", "button-row");
  controls.forEach(function (c) {
    if (c.style !== "plain") return;
    var described = byName[c.name];
    var kind = described ? described.kind : (c.content !== undefined ? "picture" : c.sketch !== undefined ? "sketch" : "label");
    if (kind === "button" && !c.frame) {
      buttonRow.appendChild(self.createControl(c, described));
      return;
    }
    self.placeControl(self.frameGrids[c.frame] || body, c, described);
  });
  root.appendChild(buttonRow);
  this.status = L.element("div", "status-line");
  this.status.dataset.control = "statusLine";
  this.status.setAttribute("role", "status");
  root.appendChild(this.status);
  this.root = root;
  root.addEventListener("keydown", function (event) { self.onKey(event); });
  root.addEventListener("mousedown", function () { Pylora.desk.raise(self.form); });
};

Pylora.CalcWindow.prototype.placeControl = function (grid, c, described) {
  var L = Pylora.layout;
  var element = this.createControl(c, described);
  var column = 2 * c.place.column, span = 2 * c.place.columns;
  if (!c.label) {
    L.place(element, c.place, column, span);
    grid.appendChild(element);
    return;
  }
  var caption = L.element("label", "caption", c.label);
  caption.dataset.captionOf = c.name;
  var id = "control-" + this.form + "-" + c.name;
  element.id = id;
  caption.htmlFor = id;
  this.captions[c.name] = caption;
  if (c.label_placement === "left") {
    L.place(caption, c.place, column, 1);
    caption.classList.add("caption-left");
    L.place(element, c.place, column + 1, span - 1);
    grid.appendChild(caption);
    grid.appendChild(element);
    return;
  }
  var pair = L.element("div", "pair pair-" + c.label_placement);
  if (c.label_placement === "above") {
    pair.appendChild(caption);
    pair.appendChild(element);
  } else {
    pair.appendChild(element);
    pair.appendChild(caption);
  }
  this.captions[c.name] = pair;
  L.place(pair, c.place, column, span);
  grid.appendChild(pair);
};

Pylora.CalcWindow.prototype.createControl = function (c, described) {
  var L = Pylora.layout, self = this, name = c.name, element;
  var kind = described ? described.kind : (c.content !== undefined ? "picture" : c.sketch !== undefined ? "sketch" : "label");
  switch (kind) {
    case "field":
      element = L.element("input", "field");
      element.type = "text";
      element.spellcheck = false;
      element.autocomplete = "off";
      element.readOnly = !!c.read_only;
      var chars = L.fieldWidthChars(c);
      element.style.width = "calc(" + chars + "ch + 10px)";
      if (c.width_chars > 0 && c.width_chars < L.kUsualFieldChars) element.style.maxWidth = element.style.width;
      element.addEventListener("input", function () { self.act("type", { control: name, text: element.value }); });
      element.addEventListener("keydown", function (event) {
        if (event.key === "Enter") { event.preventDefault(); event.stopPropagation(); self.pressDefaultRun(); }
      });
      break;
    case "option":
      element = L.element("label", "option");
      var radio = document.createElement("input");
      radio.type = "radio";
      radio.name = this.form + "/" + (c.group || "");
      radio.dataset.control = name;
      radio.addEventListener("change", function () { if (radio.checked) self.act("select", { control: name }); });
      element.appendChild(radio);
      element.appendChild(L.element("span", "option-text", described.label || ""));
      element.input = radio;
      break;
    case "check":
      element = L.element("label", "check");
      var box = document.createElement("input");
      box.type = "checkbox";
      box.dataset.control = name;
      box.addEventListener("change", function () { self.act("check", { control: name, checked: box.checked }); });
      element.appendChild(box);
      element.appendChild(L.element("span", "check-text", ""));
      element.input = box;
      break;
    case "list":
      element = L.element("select", "list");
      element.size = Math.max(2, Math.min(described.items.length, 7));
      described.items.forEach(function (item) { element.appendChild(L.element("option", "", item)); });
      element.addEventListener("change", function () { self.act("pick", { control: name, index: element.selectedIndex }); });
      break;
    case "button":
      element = L.element("button", "button");
      element.type = "button";
      element.appendChild(L.captionNode(described.default));
      if (c.width_chars) element.style.minWidth = c.width_chars + "ch";
      element.addEventListener("click", function () { self.press(name); });
      break;
    case "picture":
      element = L.element("div", c.content.lastIndexOf("<svg", 0) === 0 ? "picture picture-svg" : "picture picture-text");
      element.innerHTML = c.content;
      break;
    case "sketch":
      element = L.element("div", "sketch");
      element.innerHTML = c.sketch || "";
      element.appendChild(L.element("div", "sketch-outdated"));
      break;
    default:
      element = L.element(c.style === "note" ? "p" : "span", "label label-" + c.style, c.text || "");
  }
  if (!element.input) element.dataset.control = name;
  element.dataset.kind = kind;
  this.elements[name] = element;
  return element;
};

// The engineer's act goes to the core; the window shows what the core then holds.
Pylora.CalcWindow.prototype.act = function (op, args) {
  try {
    this.show(Pylora.engine.call(op, Object.assign({ form: this.form }, args)));
    Pylora.desk.changed(this.form);
  } catch (error) {
    this.showStatus(String(error.message || error), "problem");
  }
};

Pylora.CalcWindow.prototype.press = function (button) {
  var described = this.described[button];
  if (described && described.action === "print") {
    Pylora.desk.print(this.form);
    return;
  }
  this.act("press", { control: button });
};

// Enter in a field: the run button a mouse user would press first.
Pylora.CalcWindow.prototype.pressDefaultRun = function () {
  if (this.definition.default_run) this.press(this.definition.default_run);
};

// Keys of a keypad (the desk calculator's): the button whose key names the key pressed.
Pylora.CalcWindow.prototype.onKey = function (event) {
  if (event.key === "Escape" && !this.keyButton("Esc")) return;
  var names = { Enter: "Return", Escape: "Esc", Backspace: "Backspace", Delete: "Delete" };
  var key = names[event.key] || event.key;
  var target = event.target;
  if (target && target.tagName === "INPUT" && target.type === "text" && !target.readOnly) return;
  var button = this.keyButton(key);
  if (button) {
    event.preventDefault();
    this.press(button);
  }
};

Pylora.CalcWindow.prototype.keyButton = function (key) {
  var found = null;
  this.definition.layout.forEach(function (c) {
    if (!found && c.keys && c.keys.indexOf(key) >= 0) found = c.name;
  });
  return found;
};

Pylora.CalcWindow.prototype.show = function (state) {
  var self = this, L = Pylora.layout;
  this.state = state;
  var stale = {}, failed = {};
  state.stale.forEach(function (n) { stale[n] = true; });
  state.failed.forEach(function (n) { failed[n] = true; });
  // What the engineer changes in a control follows the core at every answer; the rest of a
  // control is redrawn only when its look changed (a run changes a few of many).
  var shown = this.shown || (this.shown = {});
  Object.keys(state.controls).forEach(function (name) {
    var s = state.controls[name], element = self.elements[name];
    if (!element) return;
    var kind = element.dataset.kind;
    if (kind === "field" && element.value !== s.text) element.value = s.text;
    if (kind === "option" || kind === "check") element.input.checked = s.checked;
    if (kind === "list") element.selectedIndex = s.selected === null ? -1 : s.items.indexOf(s.selected);
    var look = JSON.stringify(s) + (stale[name] ? " stale" : "") + (failed[name] ? " failed" : "") + (state.tips[name] || "");
    if (shown[name] === look) return;
    shown[name] = look;
    element.hidden = !s.visible;
    if (self.captions[name]) self.captions[name].hidden = !s.visible;
    if (kind === "field") {
      element.classList.toggle("stale", !!stale[name]);
      element.classList.toggle("failed", !!failed[name]);
      element.style.background = stale[name] ? "" : (L.cssColour(s.background) || "");
      element.style.color = stale[name] ? "" : L.cssColour(s.foreground);
      // A text longer than the field is read whole in its tooltip, above the window's notes on it.
      var tip = state.tips[name] || "";
      element.title = s.text.length + 1 > self.fieldChars(name) ? s.text + (tip ? "\n\n" + tip : "") : tip;
    } else if (kind === "label") {
      element.textContent = s.text;
      element.classList.toggle("stale", !!stale[name]);
      element.style.color = stale[name] ? "" : L.cssColour(s.foreground);
      element.style.background = stale[name] ? "" : (L.cssColour(s.background) || "");
    } else if (kind === "option" || kind === "check") {
      element.querySelector("span").textContent = s.text;
    } else if (kind === "button") {
      element.replaceChildren(L.captionNode(s.text));
    }
  });
  Object.keys(state.sketches).forEach(function (name) {
    var element = self.elements[name], sketch = state.sketches[name];
    var look = sketch.svg + (sketch.outdated || "");
    if (!element || shown["sketch " + name] === look) return;
    shown["sketch " + name] = look;
    var note = element.querySelector(".sketch-outdated");
    element.innerHTML = sketch.svg;
    element.appendChild(note);
    note.textContent = sketch.outdated || "";
    element.classList.toggle("stale", !!sketch.outdated);
  });
  this.showStatus(state.status.text, state.status.kind);
};

Pylora.CalcWindow.prototype.fieldChars = function (name) {
  if (!this.fieldCharsByName) {
    var widths = this.fieldCharsByName = {};
    this.definition.layout.forEach(function (c) { widths[c.name] = Pylora.layout.fieldWidthChars(c); });
  }
  return this.fieldCharsByName[name] || 0;
};

Pylora.CalcWindow.prototype.showStatus = function (text, kind) {
  this.status.textContent = text || "";
  this.status.className = "status-line status-" + (kind || "information");
};

// The cursor starts in the first field the engineer types into, in reading order: frames as
// they stand in the body's grid, then the fields of each frame row by row, left to right.
Pylora.CalcWindow.prototype.focusFirstInput = function () {
  var self = this, frames = {};
  this.definition.frames.forEach(function (f) { frames[f.name] = f; });
  var readingPlace = function (c) {
    var f = frames[c.frame];
    return f ? [f.place.row, f.place.column, c.place.row, c.place.column] : [c.place.row, c.place.column, 0, 0];
  };
  var fields = this.definition.layout.filter(function (c) {
    var e = self.elements[c.name];
    return e && e.dataset.kind === "field" && !e.readOnly && !e.hidden && e.offsetParent !== null;
  });
  fields.sort(function (a, b) {
    var p = readingPlace(a), q = readingPlace(b);
    for (var i = 0; i < 4; ++i) if (p[i] !== q[i]) return p[i] - q[i];
    return 0;
  });
  if (fields.length) this.elements[fields[0].name].focus();
};
