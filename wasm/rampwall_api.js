// The design document for JavaScript, by control name ("Text4", "Combo1"),
// over the C functions of rampwall_module.cpp. Appended to the module's own
// loader, so it sees the module's memory and functions.

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

// The keys of every edition's factors, in the order of the 规范 menu.
function rampwallFactorKeys() {
  var keys = [];
  for (var i = 0; i < _rw_factor_count(); ++i) keys.push(rampwallText(_rw_factor_key(i)));
  return keys;
}

// Reads factor texts ({key: text}) into the module's typed set, from the
// document's values or the defaults: null when every text is sound, else
// the first to correct, {key, message}, in the order of the 规范 menu.
function rampwallReadFactors(texts, fromDefaults) {
  var keys = rampwallFactorKeys();
  for (var given in texts) {
    if (keys.indexOf(given) < 0) throw new RangeError('no factor ' + given);
  }
  _rw_begin_factors(fromDefaults ? 1 : 0);
  for (var i = 0; i < keys.length; ++i) {
    var key = keys[i];
    if (texts[key] === undefined) continue;
    var message = rampwallWithBytes(key, function (keyPointer, keySize) {
      return rampwallWithBytes(String(texts[key]), function (pointer, size) {
        return rampwallText(_rw_read_factor(keyPointer, keySize, pointer, size));
      });
    });
    if (message !== '') return {key: key, message: message};
  }
  return null;
}

// Opens a design afresh, as the page does when it loads: the initial texts,
// the lists filled and their start-up entries selected, no results yet.
// options.edition is the code edition's key (the default edition when left
// out); options.today the date the start-up design's project info gets;
// options.factors the factors' texts to start with, {key: text} (remembered
// ones: a set with a text that is not sound, or a key there is not, leaves
// the defaults). There is one document: opening again replaces it.
Module['openWindow'] = function (options) {
  var edition = options && options.edition !== undefined ? String(options.edition) : '';
  var today = options && options.today !== undefined ? String(options.today) : '';
  var factors = options && options.factors;
  var withFactors = false;
  if (factors && typeof factors === 'object' && !Array.isArray(factors)) {
    try {
      withFactors = rampwallReadFactors(factors, true) === null;
    } catch (error) {
      if (!(error instanceof RangeError)) throw error;
    }
  }
  var opened = rampwallWithBytes(edition, function (key, keySize) {
    return rampwallWithBytes(today, function (date, dateSize) {
      return _rw_open(key, keySize, date, dateSize, withFactors ? 1 : 0);
    });
  });
  if (!opened) {
    throw new RangeError('no code edition ' + edition);
  }
  var names = [];
  var indexOf = {};
  for (var at = 0; at < _rw_control_count(); ++at) {
    names.push(rampwallText(_rw_control_name(at)));
    indexOf[names[at]] = at;
  }
  function controlIndex(name) {
    if (!(name in indexOf)) {
      throw new RangeError('no control ' + name);
    }
    return indexOf[name];
  }
  var calculator = {
    controlNames: names.slice(),
    // What the user types into a box or over a list: a list's text that is
    // exactly one of its entries selects that entry, any other text none.
    type: function (name, text) {
      var control = controlIndex(name);
      rampwallWithBytes(String(text), function (pointer, size) { _rw_type(control, pointer, size); });
    },
    // A list's entry chosen; -1 (or an index beyond the list) selects none
    // and blanks the text.
    choose: function (name, index) { _rw_choose(controlIndex(name), index | 0); },
    text: function (name) { return rampwallText(_rw_text(controlIndex(name))); },
    // The entry a list shows: -1 while its text is no entry.
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
    // messages ({title, text}) in the order the window shows them; the
    // document's boxes hold the writes already.
    compute: function (runOptions) {
      var sheet = !runOptions || runOptions.sheet !== false;
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
    // The result boxes and the sheet whose texts are not the results of the
    // inputs as they are now: from a run of other inputs, or older than a
    // run that stopped.
    staleBoxes: function () {
      var stale = [];
      for (var i = 0; i < _rw_stale_count(); ++i) stale.push(names[_rw_stale_box(i)]);
      return stale;
    },
    // The calculation book of the last 计算, while it completed and nothing
    // it ran on has changed: {html, name}, the book as an HTML fragment with
    // its print rules and the name it is offered under (no suffix); null
    // when there is none.
    hasBook: function () { return _rw_has_book() === 1; },
    book: function () {
      var html = rampwallText(_rw_book_html());
      return html === '' ? null : {html: html, name: rampwallText(_rw_book_name())};
    },
    // The 规范 menu. Changing the edition refills the steel list and clears
    // the results, as the desktop window does: read the boxes again.
    edition: function () { return rampwallText(_rw_edition()); },
    setEdition: function (key) {
      var known = rampwallWithBytes(String(key), function (pointer, size) { return _rw_set_edition(pointer, size); });
      if (!known) {
        throw new RangeError('no code edition ' + key);
      }
    },
    // Every edition's factors: {key: value}.
    factors: function () {
      var values = {};
      var keys = rampwallFactorKeys();
      for (var i = 0; i < keys.length; ++i) values[keys[i]] = _rw_factor_value(i);
      return values;
    },
    // The factors dialog's 确定 with its boxes' texts, {key: text}: null when
    // they are kept, or the first box to correct, {key, message}, and
    // nothing changes. Factors left out keep their values.
    setFactors: function (texts) {
      var problem = rampwallReadFactors(texts || {}, false);
      if (problem === null) _rw_keep_factors();
      return problem;
    },
    // 新建: the start-up design in the edition and with the factors the
    // document has now.
    newDesign: function (date) {
      rampwallWithBytes(String(date === undefined ? today : date), function (pointer, size) {
        _rw_new_design(pointer, size);
      });
    },
    // A design file's first bytes (a Uint8Array) and its whole size. On
    // success the document shows the design, results cleared: read the boxes
    // again. {error, notes}: the message to show, each null when none.
    openDesign: function (fileName, bytes, totalSize) {
      var data = bytes instanceof Uint8Array ? bytes : new Uint8Array(bytes);
      var size = Number(totalSize);
      var shown = rampwallWithBytes(String(fileName), function (name, nameSize) {
        return rampwallWithBytes(data, function (pointer, length) {
          return _rw_open_design(name, nameSize, pointer, length, isFinite(size) ? size : data.length);
        });
      });
      var message = rampwallText(_rw_design_message());
      return shown ? {error: null, notes: message === '' ? null : message}
                    : {error: message, notes: null};
    },
    // The design as the text of its file, saved from now on under the name.
    saveDesign: function (fileName) {
      var text = rampwallText(_rw_design_text());
      calculator.markSaved(fileName);
      return text;
    },
    // The same text, the design not yet counted as saved: markSaved() counts
    // the document's design as saved once the page has written the file.
    designText: function () { return rampwallText(_rw_design_text()); },
    markSaved: function (fileName) {
      rampwallWithBytes(String(fileName === undefined ? '' : fileName), function (pointer, size) {
        _rw_mark_saved(pointer, size);
      });
    },
    // The name the design was opened or saved under; '' for a new one.
    fileName: function () { return rampwallText(_rw_file_name()); },
    // Why the design must not be saved under fileName (it would not open
    // again), or null when it may be.
    saveFault: function (fileName) {
      var fault = rampwallWithBytes(String(fileName), function (name, nameSize) {
        return rampwallText(_rw_design_save_fault(name, nameSize));
      });
      return fault === '' ? null : fault;
    },
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
    // 工具 → 坡道分段配筋. The ramp's boxes in the order of the design
    // file's ramp keys (length, h4-start, segment-length, segments,
    // spacings), kept in the design as typed.
    rampTexts: function () {
      var values = [];
      for (var i = 0; i < 5; ++i) values.push(rampwallText(_rw_ramp_field(i)));
      return values;
    },
    setRampText: function (field, text) {
      rampwallWithBytes(String(text), function (pointer, size) { _rw_ramp_set(field | 0, pointer, size); });
    },
    // Designs the ramp over the form: {fault} when its inputs do not make
    // one, else {rows: [{cells, status, messages}], total, csv}; cells in the
    // desktop dialog's columns, csv as the command line prints it.
    designRamp: function () {
      if (!_rw_ramp_design()) return {fault: rampwallText(_rw_ramp_fault())};
      var rows = [];
      for (var r = 0; r < _rw_ramp_rows(); ++r) {
        var cells = [];
        for (var c = 0; c < 11; ++c) cells.push(rampwallText(_rw_ramp_cell(r, c)));
        rows.push({cells: cells, status: rampwallText(_rw_ramp_status(r)), messages: rampwallText(_rw_ramp_messages(r))});
      }
      return {fault: null, rows: rows, total: rampwallText(_rw_ramp_total()), csv: rampwallText(_rw_ramp_csv())};
    },
    // The last designed ramp's calculation book, as book() gives the
    // section's: {html, name}, or null before a ramp is designed.
    rampBook: function () {
      var html = rampwallText(_rw_ramp_book_html());
      return html === '' ? null : {html: html, name: rampwallText(_rw_ramp_book_name())};
    },
    // The last designed ramp's elevation as SVG markup of that size.
    rampSvg: function (width, height, fontSize) { return rampwallText(_rw_ramp_svg(+width, +height, +fontSize)); },
  };
  return calculator;
};
