// The About box "帮助": the program's name and version, what it is for, and the system
// information button, which a page cannot start: it says so in a message box.
"use strict";

Pylora.AboutBox = function () {
  var L = Pylora.layout, self = this;
  var version = Pylora.engine.call("version").version;
  var root = L.element("section", "about-box");
  root.dataset.form = Pylora.AboutBox.formName;
  root.setAttribute("role", "dialog");
  var titleBar = L.element("header", "window-title");
  titleBar.appendChild(L.element("span", "window-title-text", "关于 Pylora"));
  root.appendChild(titleBar);
  Pylora.desk.makeDraggable(root, titleBar);
  var body = L.element("div", "about-body");
  var icon = document.createElement("img");
  icon.src = "pylora.svg";
  icon.width = icon.height = 48;
  icon.dataset.control = "picIcon";
  var photo = document.createElement("img");
  photo.src = "about_photo.svg";
  photo.width = 85;
  photo.height = 153;
  photo.dataset.control = "Image1";
  var texts = L.element("div", "about-texts");
  var named = function (name, tag, text) {
    var e = L.element(tag, name, text);
    e.dataset.control = name;
    texts.appendChild(e);
  };
  named("lblTitle", "h1", "Pylora");
  named("lblVersion", "p", "版本 " + version);
  named("lblLicence", "p", "本程序是自由软件，按 GNU 通用公共许可证第 3 版或（由您选择）任何更新版本" +
        "（GPL-3.0-or-later）的条款发布，不提供任何担保。");
  named("lblDescription", "p", Pylora.AboutBox.description);
  body.appendChild(icon);
  body.appendChild(photo);
  body.appendChild(texts);
  root.appendChild(body);
  var separator = L.element("div", "etched");
  separator.dataset.control = "Line1(0)";
  root.appendChild(separator);
  var buttons = L.element("div", "button-row");
  var ok = L.element("button", "button", "确定");
  ok.dataset.control = "cmdOK";
  ok.addEventListener("click", function () { Pylora.desk.close(Pylora.AboutBox.formName); });
  var info = L.element("button", "button");
  info.appendChild(L.captionNode("系统信息(&S)..."));
  info.dataset.control = "cmdSysInfo";
  info.addEventListener("click", function () { Pylora.messageBox("此时系统信息不可用"); });
  buttons.appendChild(ok);
  buttons.appendChild(info);
  root.appendChild(buttons);
  // "确定" is both the default and the cancel button: Enter and Esc press it.
  root.addEventListener("keydown", function (event) {
    if (event.key === "Escape" || (event.key === "Enter" && event.target !== info)) {
      event.preventDefault();
      ok.click();
    }
    if (event.altKey && event.key.toLowerCase() === "s") info.click();
  });
  root.addEventListener("mousedown", function () { Pylora.desk.raise(Pylora.AboutBox.formName); });
  this.root = root;
  this.focusFirstInput = function () { ok.focus(); };
};

Pylora.AboutBox.formName = "帮助";
// The nine blanks at the start indent its first line.
Pylora.AboutBox.description = "         本软件仅适合从事天然气长输管线、城镇燃气专业设计人员和施工人员，对工程材料查询和设计过程中相关" +
  "计算校核时使用。因材料数据库仅限于2002年建成,还需完善，谢谢使用！";

// A message box with an OK button, modal to the page.
Pylora.messageBox = function (text) {
  var L = Pylora.layout;
  var shade = L.element("div", "message-shade");
  var box = L.element("div", "message-box");
  box.setAttribute("role", "alertdialog");
  box.appendChild(L.element("p", "message-text", text));
  var ok = L.element("button", "button", "确定");
  ok.addEventListener("click", function () { shade.remove(); });
  box.addEventListener("keydown", function (e) { if (e.key === "Escape" || e.key === "Enter") { e.preventDefault(); shade.remove(); } });
  box.appendChild(ok);
  shade.appendChild(box);
  document.body.appendChild(shade);
  ok.focus();
};
