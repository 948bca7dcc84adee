// The calculation's window for JavaScript, by control name ("Text4",
// "Combo1"), over the C functions of rampwall_module.cpp. Appended to the
// module's own loader, so it sees the module's memory and functions.

var rampwallEncoder = new TextEncoder();
var rampwallDecoder = new TextDecoder();

// A text the module handed out: its bytes, then the length rw_text_size says.
function rampwallText(pointer) {
  return rampwallDecoder.decode(HEAPU8.subarray(pointer, pointer + _rw_text_size()));
}

// Calls use(pointer, length) with text (a string or bytes) copied into the
// module's memory for the call.
function rampwallWithBytes(text, use) {
  var bytes = typeof text === 'string' ? rampwallEncoder.encode(text) : text;
  var pointer = _malloc(bytes.length + 1);
  HEAPU8.set(bytes, pointer);
  try {
    return use(pointer, bytes.length);
  } finally {
    _free(pointer);
  }
}

var rampwallOutcomes = {0: 'completed', 1: 'stopped', 2: 'noLoadCase', '-1': 'failed'};

// Opens the window afresh, as the page does when it loads: the initial
// texts, the lists filled and their first entries selected, no results yet.
// options.edition is the code edition's key ('2002', the default, or
// '2010'); options.today the date the start-up design's project info gets;
// options.factors the load factors' texts to start with (remembered ones: a
// set that is not five sound texts leaves the defaults).
Module['openWindow'] = function (options) {
  var edition = options && options.edition !== undefined ? String(options.edition) : '2002';
  var today = options && options.today !== undefined ? String(options.today) : '';
  var opened = rampwallWithBytes(edition, function (key, keySize) {
    return rampwallWithBytes(today, function (date, dateSize) { return _rw_open(key, keySize, date, dateSize); });
  });
  if (!opened) {
    throw new RangeError('no code edition ' + edition);
  }
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
  var calculator = {
    controlNames: names.slice(),
    // What the user types into a box or a list's edit line.
    setText: function (name, text) {
      var control = controlIndex(name);
      rampwallWithBytes(String(text), function (pointer, size) { _rw_set_text(control, pointer, size); });
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
    // The code menu. Changing the edition refills the steel list and clears
    // the results, as the desktop window does: read the boxes again.
    edition: function () { return rampwallText(_rw_edition()); },
    setEdition: function (key) {
      var known = rampwallWithBytes(String(key), function (pointer, size) { return _rw_set_edition(pointer, size); });
      if (!known) {
        throw new RangeError('no code edition ' + key);
      }
    },
    // The 2010 edition's factors: [{key, caption, clause, value}].
    loadFactors: function () {
      var fields = [];
      for (var i = 0; i < _rw_load_factor_count(); ++i) {
        fields.push({key: rampwallText(_rw_load_factor_label(i, 0)), caption: rampwallText(_rw_load_factor_label(i, 1)),
                     clause: rampwallText(_rw_load_factor_label(i, 2)), value: _rw_load_factor_value(i)});
      }
      return fields;
    },
    // The load factors dialog's 确定 with its boxes' texts in field order:
    // null when they are kept, or the first box to correct, {field, message},
    // and nothing changes.
    setLoadFactors: function (texts) {
      var count = _rw_load_factor_count();
      if (!Array.isArray(texts) || texts.length !== count) {
        throw new RangeError('setLoadFactors takes ' + count + ' texts');
      }
      for (var i = 0; i < count; ++i) {
        var message = rampwallWithBytes(String(texts[i]).trim(), function (pointer, size) {
          return rampwallText(_rw_read_load_factor(i, pointer, size));
        });
        if (message !== '') {
          return {field: i, message: message};
        }
      }
      _rw_keep_load_factors();
      return null;
    },
    // A design file's first bytes (a Uint8Array) and its whole size. On
    // success the window shows the design, results cleared: read the boxes
    // again. {error, notes}: the message to show, each null when none.
    openDesign: function (fileName, bytes, totalSize) {
      var data = bytes instanceof Uint8Array ? bytes : new Uint8Array(bytes);
      var size = Number(totalSize);
      var opened = rampwallWithBytes(String(fileName), function (name, nameSize) {
        return rampwallWithBytes(data, function (pointer, length) {
          return _rw_open_design(name, nameSize, pointer, length, isFinite(size) ? size : data.length);
        });
      });
      var message = rampwallText(_rw_design_message());
      return opened ? {error: null, notes: message === '' ? null : message}
                    : {error: message, notes: null};
    },
    // The design as the text of its file, saved from now on.
    saveDesign: function () { return rampwallText(_rw_design_text(1)); },
    // The same text, the design not yet counted as saved: markSaved() counts
    // the window's design as saved once the page has written the file.
    designText: function () { return rampwallText(_rw_design_text(0)); },
    markSaved: function () { _rw_design_text(1); },
    isModified: function () { return _rw_is_modified() === 1; },
    // {name, member, designer, checker, approver, date}.
    projectInfo: function () {
      var info = {};
      for (var i = 0; i < _rw_project_field_count(); ++i) {
        info[rampwallText(_rw_project_key(i))] = rampwallText(_rw_project_value(i));
      }
      return info;
    },
    // Fields the object leaves out keep their texts.
    setProjectInfo: function (info) {
      for (var i = 0; i < _rw_project_field_count(); ++i) {
        var key = rampwallText(_rw_project_key(i));
        if (info && info[key] !== undefined) {
          var field = i;
          rampwallWithBytes(String(info[key]), function (pointer, size) { _rw_set_project_value(field, pointer, size); });
        }
      }
    },
  };
  var factors = options && options.factors;
  if (Array.isArray(factors) && factors.length === _rw_load_factor_count() &&
      calculator.setLoadFactors(factors) === null) {
    _rw_retake_startup();
  }
  return calculator;
};
