.pragma library

// The MIDI channels a control may send on, as every channel chooser offers them: the editors'
// channel lists and the Auto Populate rows.
var numbers = [1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16]
