// A calculator window's own menu (right click), as the desktop window has: its 计算书, a
// parameter study, its case file, and what its definition offers besides (the ground data file,
// the profile's DXF and CSV).
"use strict";

Pylora.contextMenu = {
  entries: function (window) {
    var def = window.definition, form = window.form;
    var entries = [
      ["导出计算书…", function () { Pylora.files.showReport(form); }],
      ["参数分析…", function () { Pylora.study.open(); }],
      ["保存计算", function () { Pylora.files.saveCase(); }]
    ];
    if (def.reads_ground_file) entries.push(["选择地面数据文件…", function () { Pylora.files.chooseGroundFile(form); }]);
    if (def.draws_profile) {
      entries.push(["导出纵断面图 (DXF)…", function () { Pylora.files.exportProfile("dxf"); }]);
      entries.push(["导出纵断面表 (CSV)…", function () { Pylora.files.exportProfile("csv"); }]);
    }
    return entries;
  },

  attach: function (window) {
    var self = this;
    window.root.addEventListener("contextmenu", function (event) {
      if (event.target.closest("input.field")) return;  // a field keeps its own (copy, paste)
      event.preventDefault();
      Pylora.desk.raise(window.form);
      self.show(window, event.clientX, event.clientY);
    });
  },

  show: function (window, x, y) {
    var L = Pylora.layout;
    this.close();
    var list = L.element("div", "menu-list context-menu");
    list.setAttribute("role", "menu");
    this.entries(window).forEach(function (entry) {
      var item = L.element("div", "menu-entry", entry[0]);
      item.setAttribute("role", "menuitem");
      item.addEventListener("click", function () { Pylora.contextMenu.close(); entry[1](); });
      list.appendChild(item);
    });
    list.style.left = x + "px";
    list.style.top = y + "px";
    document.body.appendChild(list);
    this.open = list;
    document.addEventListener("mousedown", this.closeOutside, true);
  },

  closeOutside: function (event) {
    var menu = Pylora.contextMenu.open;
    if (menu && !menu.contains(event.target)) Pylora.contextMenu.close();
  },

  close: function () {
    if (this.open) this.open.remove();
    this.open = null;
    document.removeEventListener("mousedown", this.closeOutside, true);
  }
};
