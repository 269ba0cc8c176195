// What the page hands out and takes in as files: case files (.pylora, the desktop's format),
// the 计算书 (HTML in a print view, DOCX from the core's writer), the profile as DXF or CSV, a
// ground data file. Downloads are made in the page; nothing is sent anywhere.
"use strict";

Pylora.files = {
  kNoWindow: "没有打开的计算窗口：请先从菜单打开要保存的计算窗口。",

  download: function (name, blob) {
    var link = document.createElement("a");
    link.href = URL.createObjectURL(blob);
    link.download = name;
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(function () { URL.revokeObjectURL(link.href); }, 60000);
  },

  requireActive: function () {
    var window = Pylora.desk.activeWindow();
    if (!window) Pylora.messageBox(this.kNoWindow);
    return window;
  },

  // 保存计算: the active window's calculation as a case file, downloaded.
  saveCase: function () {
    var window = this.requireActive();
    if (!window) return;
    var text = Pylora.engine.call("save_case", { form: window.form }).text;
    this.download(window.form + ".pylora", new Blob([text], { type: "application/json" }));
    window.showStatus("已保存：" + window.form + ".pylora", "information");
  },

  // 打开计算…: a case file the engineer picks, into a fresh window.
  openCase: function () {
    var picker = document.getElementById("case-file-picker");
    picker.value = "";
    picker.onchange = function () {
      var file = picker.files[0];
      if (!file) return;
      file.text().then(function (text) { Pylora.files.openCaseText(text, file.name); });
    };
    picker.click();
  },

  openCaseText: function (text, name) {
    try {
      var state = Pylora.engine.call("open_case", { text: text, name: name });
      return Pylora.desk.openState(state.form, state);
    } catch (error) {
      Pylora.messageBox(String(error.message || error));
      return null;
    }
  },

  // The ground data file the directional-drilling window reads, picked by the engineer.
  chooseGroundFile: function (form) {
    var picker = document.getElementById("ground-file-picker");
    picker.value = "";
    picker.onchange = function () {
      var file = picker.files[0];
      if (!file) return;
      file.text().then(function (text) {
        var window = Pylora.desk.windows[form];
        if (window) window.act("ground_file", { name: file.name, text: text });
      });
    };
    picker.click();
  },

  project: function () {
    var today = new Date();
    return { date: today.getFullYear() + "年" + (today.getMonth() + 1) + "月" + today.getDate() + "日" };
  },

  // 导出计算书…: the report of the active window in a view of its own, to print or save.
  showReport: function (form) {
    var window = form ? Pylora.desk.windows[form] : this.requireActive();
    if (!window) return;
    var html = Pylora.engine.call("report_html", { form: window.form, project: this.project() }).html;
    var L = Pylora.layout;
    var view = L.element("div", "report-view");
    view.dataset.view = "report";
    var bar = L.element("div", "report-bar");
    var frame = document.createElement("iframe");
    frame.className = "report-frame";
    frame.srcdoc = html;
    var buttons = [
      ["打印", function () { frame.contentWindow.print(); }],
      ["保存为 HTML", function () { Pylora.files.download(window.form + "计算书.html", new Blob([html], { type: "text/html" })); }],
      ["保存为 Word 文档", function () { Pylora.files.downloadDocx(window.form); }],
      ["关闭", function () { view.remove(); }]
    ];
    buttons.forEach(function (b) {
      var button = L.element("button", "button", b[0]);
      button.addEventListener("click", b[1]);
      bar.appendChild(button);
    });
    view.appendChild(bar);
    view.appendChild(frame);
    document.body.appendChild(view);
  },

  // The DOCX from the core's writer; its pictures drawn here as PNG from their SVG.
  downloadDocx: function (form) {
    var project = this.project();
    var pictures = Pylora.engine.call("report_pictures", { form: form, project: project }).pictures;
    Promise.all(pictures.map(this.pngOf)).then(function (pngs) {
      var byId = {};
      pictures.forEach(function (p, i) { byId[p.id] = pngs[i]; });
      var docx = Pylora.engine.call("report_docx", { form: form, project: project, png: byId }).base64;
      Pylora.files.download(form + "计算书.docx", new Blob([Pylora.engine.decode(docx)],
        { type: "application/vnd.openxmlformats-officedocument.wordprocessingml.document" }));
    });
  },

  // A picture at print resolution (3 pixels a point), as base64 PNG.
  pngOf: function (picture) {
    return new Promise(function (resolve) {
      var image = new Image();
      var scale = 3;
      image.onload = function () {
        var canvas = document.createElement("canvas");
        canvas.width = Math.max(1, Math.round(picture.width * scale));
        canvas.height = Math.max(1, Math.round(picture.height * scale));
        var g = canvas.getContext("2d");
        g.fillStyle = "#ffffff";
        g.fillRect(0, 0, canvas.width, canvas.height);
        g.drawImage(image, 0, 0, canvas.width, canvas.height);
        resolve(canvas.toDataURL("image/png").split(",")[1]);
      };
      image.onerror = function () { resolve(""); };
      image.src = "data:image/svg+xml;charset=utf-8," + encodeURIComponent(picture.svg);
    });
  },

  // The longitudinal profile of the active window as DXF or CSV.
  exportProfile: function (format) {
    var window = this.requireActive();
    if (!window) return;
    var answer = Pylora.engine.call("profile", { form: window.form, format: format });
    if (answer.error) {
      window.showStatus(answer.error, "problem");
      return;
    }
    this.download(answer.name, new Blob([Pylora.engine.decode(answer.base64)], { type: format === "dxf" ? "image/vnd.dxf" : "text/csv" }));
  }
};
