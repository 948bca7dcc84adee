// The calculation's window for JavaScript, by control name ("Text4",
// "Combo1"), over the C functions of rampwall_module.cpp. Appended to the
// module's own loader, so it sees the module's memory and functions.

var rampwallEncoder = new TextEncoder();
var rampwallDecoder = new TextDecoder();

// A text the module handed out: its bytes, then the length rw_text_size says.
function rampwallText(pointer) {
  return rampwallDecoder.decode(HEAPU8.subarray(pointer, pointer + _rw_text_size()));
}

var rampwallOutcomes = {0: 'completed', 1: 'stopped', 2: 'noLoadCase', '-1': 'failed'};

// Opens the window afresh, as the page does when it loads: the initial
// texts, the lists filled and their first entries selected, no results yet.
Module['openWindow'] = function () {
  _rw_open();
  var names = [];
  var indexOf = {};
  for (var i = 0; i < _rw_control_count(); ++i) {
    names.push(rampwallText(_rw_control_name(i)));
    indexOf[names[i]] = i;
  }
  function controlIndex(name) {
    if (!(name in indexOf)) {
      throw new RangeError('no control ' + name);
    }
    return indexOf[name];
  }
  return {
    controlNames: names.slice(),
    // What the user types into a box or a list's edit line.
    setText: function (name, text) {
      var bytes = rampwallEncoder.encode(String(text));
      var pointer = _malloc(bytes.length + 1);
      HEAPU8.set(bytes, pointer);
      _rw_set_text(controlIndex(name), pointer, bytes.length);
      _free(pointer);
    },
    // A list left at an entry; -1 is free text (nothing selected).
    selectIndex: function (name, index) { _rw_set_selected(controlIndex(name), index | 0); },
    text: function (name) { return rampwallText(_rw_text(controlIndex(name))); },
    selectedIndex: function (name) { return _rw_selected(controlIndex(name)); },
    entries: function (name) {
      var control = controlIndex(name);
      var entries = [];
      for (var i = 0; i < _rw_entry_count(control); ++i) {
        entries.push(rampwallText(_rw_entry(control, i)));
      }
      return entries;
    },
    // One press of 计算. The events are the run's writes ({box, text}) and
    // messages ({title, text}) in the order the window received them.
    compute: function (options) {
      var sheet = !options || options.sheet !== false;
      var outcome = rampwallOutcomes[_rw_compute(sheet ? 1 : 0)];
      var events = [];
      for (var i = 0; i < _rw_event_count(); ++i) {
        var text = rampwallText(_rw_event_text(i));
        if (_rw_event_kind(i) === 1) {
          events.push({title: rampwallText(_rw_event_title(i)), text: text});
        } else {
          events.push({box: names[_rw_event_box(i)], text: text});
        }
      }
      return {outcome: outcome, events: events};
    },
  };
};
