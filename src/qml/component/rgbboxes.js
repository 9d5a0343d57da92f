.pragma library

// The colour dialog and the batch colour row both edit a colour in three R, G, B boxes.

// Shows the components of a colour name "#rrggbb" in the boxes, in decimal.
function fill(boxes, colorName) {
    var name = String(colorName)
    for (var i = 0; i < 3; ++i)
        boxes[i].textInput.text = String(parseInt(name.substring(1 + 2 * i, 3 + 2 * i), 16))
}

// The three numbers in the boxes.
function numbers(boxes) {
    return boxes.map(function(box) { return parseInt(box.textInput.text, 10) })
}
