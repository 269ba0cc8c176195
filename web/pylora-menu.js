// The main window's menu bar, drawn from the core's menu tree (the same the desktop and
// `pylora-cli menu` show), with the page's own "文件(&F)" menu for case files as the desktop has.
// Alt and an entry's access key open it; every entry carries its menu name.
"use strict";

Pylora.menu = {
  // Menus of the page's own: case files and what the page hands out.
  fileMenu: function () {
    return {
      name: "file_menu", caption: "文件(&F)", action: "menu", children: [
        { name: "file_open", caption: "打开计算…", action: "page", run: function () { Pylora.files.openCase(); } },
        { name: "file_save", caption: "保存计算", action: "page", run: function () { Pylora.files.saveCase(); } },
        { name: "file_ground", caption: "选择地面数据文件…", action: "page", run: function () {
          var window = Pylora.files.requireActive();
          if (window) Pylora.files.chooseGroundFile(window.form);
        } },
        { name: "file_dxf", caption: "导出纵断面图 (DXF)…", action: "page", run: function () { Pylora.files.exportProfile("dxf"); } },
        { name: "file_csv", caption: "导出纵断面表 (CSV)…", action: "page", run: function () { Pylora.files.exportProfile("csv"); } }
      ]
    };
  },

  build: function (tree) {
    var bar = document.getElementById("menubar");
    var self = this;
    [this.fileMenu()].concat(tree).forEach(function (item) { bar.appendChild(self.entry(item, true)); });
    document.addEventListener("keydown", function (event) {
      if (!event.altKey || event.ctrlKey) return;
      var key = event.key.toLowerCase();
      var top = Array.prototype.find.call(bar.children, function (e) { return e.dataset.accessKey === key; });
      if (top) {
        event.preventDefault();
        self.openMenu(top);
      }
    });
    document.addEventListener("mousedown", function (event) {
      if (!bar.contains(event.target)) self.closeAll();
    });
    if (window.location.hash.length > 1) this.choose({ action: "show " + decodeURIComponent(window.location.hash.slice(1)) });
  },

  entry: function (item, onBar) {
    var L = Pylora.layout, self = this;
    var entry = L.element("div", onBar ? "menu-title" : "menu-entry");
    entry.setAttribute("role", "menuitem");
    entry.dataset.menu = item.name;
    entry.tabIndex = -1;
    var caption = L.captionNode(item.caption);
    entry.appendChild(caption);
    if (caption.dataset.accessKey) entry.dataset.accessKey = caption.dataset.accessKey;
    if (item.children) {
      entry.classList.add("has-submenu");
      var list = L.element("div", "menu-list");
      list.setAttribute("role", "menu");
      item.children.forEach(function (child) { list.appendChild(self.entry(child, false)); });
      entry.appendChild(list);
      entry.addEventListener("click", function (event) {
        if (event.target.closest(".menu-entry:not(.has-submenu)")) return;
        event.stopPropagation();
        if (onBar) self.toggle(entry);
      });
      entry.addEventListener("mouseenter", function () {
        if (onBar && document.querySelector(".menu-title.open") && !entry.classList.contains("open")) self.openMenu(entry);
        if (!onBar) entry.classList.add("open");
      });
      entry.addEventListener("mouseleave", function () { if (!onBar) entry.classList.remove("open"); });
    } else {
      entry.addEventListener("click", function (event) {
        event.stopPropagation();
        self.closeAll();
        self.choose(item);
      });
    }
    return entry;
  },

  toggle: function (entry) {
    var open = entry.classList.contains("open");
    this.closeAll();
    if (!open) entry.classList.add("open");
  },

  openMenu: function (entry) {
    this.closeAll();
    entry.classList.add("open");
    var first = entry.querySelector(".menu-entry");
    if (first) first.focus();
  },

  closeAll: function () {
    document.querySelectorAll("#menubar .open").forEach(function (e) { e.classList.remove("open"); });
  },

  waiting: [],  // entries chosen before the core was ready ("正在载入…" shows meanwhile)

  chooseWaiting: function () {
    var waiting = this.waiting;
    this.waiting = [];
    waiting.forEach(this.choose, this);
  },

  // What an entry does: show its window, act on the calculator window active last, or nothing.
  choose: function (item) {
    if (!Pylora.engine.core) return void this.waiting.push(item);
    if (item.run) return item.run();
    var action = item.action || "";
    if (action.indexOf("show ") === 0) return Pylora.desk.open(action.slice(5));
    var active = Pylora.desk.activeWindow();
    if (action === "print" || action === "print-preview") {
      if (active) Pylora.desk.print(active.form);
      else Pylora.messageBox("没有打开的计算窗口：请先从菜单打开要打印的计算窗口。");
    } else if (action === "export-report") {
      Pylora.files.showReport();
    } else if (action === "parameter-study") {
      Pylora.study.open();
    }
  }
};
