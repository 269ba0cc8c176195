// 参数分析: the active window run over a range of one input, from its current texts; the chosen
// results as a table and a curve, the table to download as CSV. The points are the core's runs.
"use strict";

Pylora.study = {
  open: function () {
    var window = Pylora.desk.activeWindow();
    if (!window) {
      Pylora.messageBox("没有打开的计算窗口：请先从菜单打开要分析的计算窗口。");
      return;
    }
    var L = Pylora.layout, self = this;
    var roleOf = function (c) { return c.meaning ? c.meaning.role : ""; };
    var inputs = window.definition.controls.filter(function (c) { return c.kind === "field" && roleOf(c) === "input"; });
    var results = window.definition.controls.filter(function (c) { return roleOf(c) === "result" || roleOf(c) === "verdict"; });
    var shade = L.element("div", "message-shade");
    var box = L.element("div", "study-box");
    box.dataset.view = "study";
    box.appendChild(L.element("h2", "", "参数分析 — " + window.definition.title));
    if (!inputs.length) {
      box.appendChild(L.element("p", "", "此窗口没有可变化的输入参数"));
    }
    var row = function (caption, control) {
      var line = L.element("label", "study-row");
      line.appendChild(L.element("span", "", caption));
      line.appendChild(control);
      box.appendChild(line);
      return control;
    };
    var nameOf = function (c) { return (c.meaning.symbol ? c.meaning.symbol + " " : "") + c.meaning.name; };
    var vary = row("参数：", L.element("select", "list"));
    inputs.forEach(function (c) {
      var option = L.element("option", "", nameOf(c));
      option.value = c.name;
      vary.appendChild(option);
    });
    var number = function (value) {
      var e = L.element("input", "field");
      e.value = value;
      return e;
    };
    var from = row("起点", number("")), to = row("终点", number("")), points = row("点数", number("11"));
    var logarithmic = row("对数分布", document.createElement("input"));
    logarithmic.type = "checkbox";
    var fill = function () {
      var text = window.state.controls[vary.value] ? window.state.controls[vary.value].text : "";
      var value = parseFloat(text.replace(/,/g, ""));
      if (!isNaN(value)) {
        from.value = String(+(value * 0.5).toPrecision(6));
        to.value = String(+(value * 1.5).toPrecision(6));
      }
    };
    vary.addEventListener("change", fill);
    fill();
    box.appendChild(L.element("p", "", "计算结果"));
    var chosen = results.map(function (c, i) {
      var line = L.element("label", "check");
      var mark = document.createElement("input");
      mark.type = "checkbox";
      mark.checked = i === 0;
      mark.value = c.name;
      line.appendChild(mark);
      line.appendChild(L.element("span", "", nameOf(c)));
      box.appendChild(line);
      return mark;
    });
    var status = L.element("p", "status-line status-information");
    var table = L.element("div", "study-table");
    var buttons = L.element("div", "button-row");
    var answer = null;
    var start = L.element("button", "button", "开始");
    start.addEventListener("click", function () {
      try {
        answer = Pylora.engine.call("study", {
          form: window.form, vary: vary.value, from: parseFloat(from.value), to: parseFloat(to.value),
          points: parseInt(points.value, 10), logarithmic: logarithmic.checked,
          results: chosen.filter(function (m) { return m.checked; }).map(function (m) { return m.value; })
        });
        var failed = answer.rows.filter(function (r) { return r[r.length - 1]; }).length;
        status.className = "status-line status-information";
        status.textContent = "完成 " + answer.rows.length + " 点" +
          (failed ? "，其中 " + failed + " 点计算中止（表中注明原因，曲线在此断开）" : "");
        self.showTable(table, answer);
      } catch (error) {
        status.className = "status-line status-problem";
        status.textContent = String(error.message || error);
      }
    });
    var save = L.element("button", "button", "导出…");
    save.addEventListener("click", function () {
      if (!answer) { status.textContent = "尚无分析结果"; return; }
      Pylora.files.download("参数分析_" + window.form + ".csv", new Blob([answer.csv], { type: "text/csv" }));
    });
    var close = L.element("button", "button", "关闭");
    close.addEventListener("click", function () { shade.remove(); });
    [start, save, close].forEach(function (b) { buttons.appendChild(b); });
    box.appendChild(buttons);
    box.appendChild(status);
    box.appendChild(table);
    shade.appendChild(box);
    document.body.appendChild(shade);
  },

  showTable: function (element, answer) {
    var L = Pylora.layout;
    element.replaceChildren();
    element.appendChild(this.curve(answer));
    var table = L.element("table", "");
    var head = L.element("tr", "");
    answer.headings.forEach(function (h) { head.appendChild(L.element("th", "", h)); });
    table.appendChild(head);
    answer.rows.forEach(function (r) {
      var line = L.element("tr", "");
      r.forEach(function (cell) { line.appendChild(L.element("td", "", cell)); });
      table.appendChild(line);
    });
    element.appendChild(table);
  },

  // The first result over the input, as a line broken where a point failed.
  curve: function (answer) {
    var ns = "http://www.w3.org/2000/svg", width = 480, height = 200, pad = 30;
    var svg = document.createElementNS(ns, "svg");
    svg.setAttribute("width", width);
    svg.setAttribute("height", height);
    var points = answer.rows.map(function (r) { return [parseFloat(r[0]), parseFloat(r[1])]; });
    var good = points.filter(function (p) { return isFinite(p[0]) && isFinite(p[1]); });
    if (good.length < 2) return svg;
    var xs = good.map(function (p) { return p[0]; }), ys = good.map(function (p) { return p[1]; });
    var x0 = Math.min.apply(null, xs), x1 = Math.max.apply(null, xs), y0 = Math.min.apply(null, ys), y1 = Math.max.apply(null, ys);
    if (y1 === y0) { y1 += 1; y0 -= 1; }
    var sx = function (x) { return pad + (x - x0) / (x1 - x0 || 1) * (width - 2 * pad); };
    var sy = function (y) { return height - pad - (y - y0) / (y1 - y0) * (height - 2 * pad); };
    var d = "", pen = "M";
    points.forEach(function (p) {
      if (!isFinite(p[0]) || !isFinite(p[1])) { pen = "M"; return; }
      d += pen + sx(p[0]).toFixed(1) + " " + sy(p[1]).toFixed(1) + " ";
      pen = "L";
    });
    var path = document.createElementNS(ns, "path");
    path.setAttribute("d", d);
    path.setAttribute("fill", "none");
    path.setAttribute("stroke", "#1f5fbf");
    path.setAttribute("stroke-width", "2");
    var frame = document.createElementNS(ns, "rect");
    frame.setAttribute("x", pad); frame.setAttribute("y", pad);
    frame.setAttribute("width", width - 2 * pad); frame.setAttribute("height", height - 2 * pad);
    frame.setAttribute("fill", "none"); frame.setAttribute("stroke", "#808080");
    svg.appendChild(frame);
    svg.appendChild(path);
    [[x0, sx(x0), height - 10, "start"], [x1, sx(x1), height - 10, "end"]].forEach(function (t) {
      var text = document.createElementNS(ns, "text");
      text.setAttribute("x", t[1]); text.setAttribute("y", t[2]); text.setAttribute("text-anchor", t[3]);
      text.setAttribute("font-size", "11");
      text.textContent = String(+t[0].toPrecision(6));
      svg.appendChild(text);
    });
    [[y1, pad - 4], [y0, height - pad + 12]].forEach(function (t) {
      var text = document.createElementNS(ns, "text");
      text.setAttribute("x", 2); text.setAttribute("y", t[1]); text.setAttribute("font-size", "11");
      text.textContent = String(+t[0].toPrecision(6));
      svg.appendChild(text);
    });
    return svg;
  }
};
