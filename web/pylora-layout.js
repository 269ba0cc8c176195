// How a definition's parts stand on the page, by the desktop window's rules: each frame a grid
// in which every column holds a caption and its control, frames in the grid of the window body
// or of the frame around them, colours by name.
"use strict";

Pylora.layout = {
  kUsualFieldChars: 7,
  kWidestFieldChars: 17,
  kWidestCellChars: 11,  // a cell of a point table stands in a row of ten or more

  // A field is as wide as its longest expected text, within limits; one hinted narrow stays so.
  fieldWidthChars: function (control) {
    var widest = control.label ? this.kWidestFieldChars : this.kWidestCellChars;
    var wanted = Math.min((control.expected_length || 0) + 1, widest);
    var hint = control.width_chars || 0;
    if (hint > 0) return Math.min(Math.max(hint, wanted), Math.max(widest, hint));
    return Math.max(wanted, this.kUsualFieldChars);
  },

  // "#rrggbb", or a system role's colour.
  cssColour: function (name) {
    if (name === "windowtext") return "#000000";
    if (name === "buttonface") return "";
    return name;
  },

  // A grid cell: rows and columns from 0; every place column is two grid columns.
  place: function (element, place, firstColumn, columns) {
    element.style.gridRow = (place.row + 1) + " / span " + place.rows;
    element.style.gridColumn = (firstColumn + 1) + " / span " + columns;
  },

  // A caption with "&" before its access key: the key underlined, "&&" an ampersand.
  captionNode: function (caption) {
    var span = document.createElement("span");
    var at = caption.search(/&[^&]/);
    if (at < 0) {
      span.textContent = caption.replace(/&&/g, "&");
      return span;
    }
    span.appendChild(document.createTextNode(caption.slice(0, at)));
    var key = document.createElement("u");
    key.textContent = caption.charAt(at + 1);
    span.appendChild(key);
    span.appendChild(document.createTextNode(caption.slice(at + 2)));
    span.dataset.accessKey = caption.charAt(at + 1).toLowerCase();
    return span;
  },

  element: function (tag, className, text) {
    var e = document.createElement(tag);
    if (className) e.className = className;
    if (text !== undefined) e.textContent = text;
    return e;
  }
};
