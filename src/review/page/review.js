"use strict";
// The review page. Texts arrive as byte strings (one character per byte) so
// that a download gives back the exact bytes; they are decoded only to be
// shown, and always shown as text, never as HTML.

const started = performance.now();
const data = JSON.parse(document.getElementById("review-data").textContent);
const changes = []; // every change of every file, in page order
const spots = []; // every unchanged word that holds a proposed name
const lines = []; // every changed or not-found line with its kinds, made or not
// The page shows this many lines at a time, a part of the season or of a
// long file: a page of a million lines, or of 300 episodes, would not
// open, and no one reads it at one go. Every line is known from the start,
// so keys, search, counts, decisions and downloads reach all of them.
const PART = 500;
const parts = []; // each part: [file, its lines shown in the part] in page order
let shownPart = -1;
const wordPlaces = new Map(); // every place of a word, changed or not, by its bytes
// A long text between changes shows this many bytes at each end.
const CONTEXT = 80;
const groups = new Map(); // the changes of one word changed one way, by its bytes
const ticked = data.names.map(() => true); // the proposed names the user keeps
let current = -1; // index in `changes` of the change the keys act on

const KINDS = {
  s: ["Silent", "made without a message: the split had one reading"],
  a: ["Ambiguous", "the split had other readings"],
  i: ["Doubled i", "an i of \"ii\" was dropped"],
  n: ["Not found", "a word of the line is in no word list"],
  z: ["Cut at NUL", "unjam dropped the text after a NUL byte"],
  e: ["Ended at 0x1A", "unjam read nothing after a byte 0x1A, which ended its input"],
};
const filter = { kind: "", word: "" };
const history = []; // each act of the user: what it changed, to take it back

// Characters that would hide text or turn it around are shown by name.
const NAMED = {
  0x061c: "ALM", 0x200e: "LRM", 0x200f: "RLM", 0x202a: "LRE", 0x202b: "RLE", 0x202c: "PDF",
  0x202d: "LRO", 0x202e: "RLO", 0x2066: "LRI", 0x2067: "RLI", 0x2068: "FSI", 0x2069: "PDI",
};
const SPECIAL = /[\x00-\x08\x0a-\x1f\x7f-\x9f\u061c\u200e\u200f\u202a-\u202e\u2066-\u2069]/g;

function nameOf(char) {
  const code = char.charCodeAt(0);
  if (code < 0x20) return String.fromCharCode(0x2400 + code);
  if (code === 0x7f) return "\u2421";
  return NAMED[code] || "U+" + code.toString(16).toUpperCase().padStart(4, "0");
}

// `text` as plain text with those characters named: for titles and labels.
function plain(text) {
  return text.replace(SPECIAL, (c) => "[" + nameOf(c) + "]");
}

// `text` as nodes, each of those characters a marked name.
function shownText(text) {
  if (text.search(SPECIAL) < 0) return text;
  const nodes = document.createDocumentFragment();
  let from = 0;
  for (const match of text.matchAll(SPECIAL)) {
    nodes.append(text.slice(from, match.index));
    const mark = el("span", "ctl", nameOf(match[0]));
    mark.title = "U+" + match[0].charCodeAt(0).toString(16).toUpperCase().padStart(4, "0");
    nodes.append(mark);
    from = match.index + 1;
  }
  nodes.append(text.slice(from));
  return nodes;
}

function bytesOf(text) {
  const bytes = new Uint8Array(text.length);
  for (let k = 0; k < text.length; k++) bytes[k] = text.charCodeAt(k);
  return bytes;
}

// A file is shown as UTF-8 when it is valid UTF-8, else as Windows-1252.
function decoderFor(file) {
  try {
    new TextDecoder("utf-8", { fatal: true }).decode(file.bytes || bytesOf(file.after));
    return new TextDecoder("utf-8");
  } catch (e) {
    return new TextDecoder("windows-1252");
  }
}

function el(tag, className, text) {
  const node = document.createElement(tag);
  if (className) node.className = className;
  if (text !== undefined) node.textContent = text;
  return node;
}

function button(label, onclick, className) {
  const node = el("button", className, label);
  node.type = "button";
  node.onclick = onclick;
  return node;
}

function quoted(text) {
  return "\u201c" + text + "\u201d";
}

// The change as made: inserted blanks marked, dropped and replaced bytes
// struck. Runs of one mark are decoded together; they never cut a
// character: a blank stands between two characters, and the other marks
// but '=' fall on ASCII bytes only.
function showMarked(node, change, decode) {
  const [before, after, marks] = change;
  let b = 0, a = 0, k = 0;
  while (k < marks.length) {
    let end = k;
    while (end < marks.length && marks[end] === marks[k]) end++;
    const n = end - k, mark = marks[k];
    if (mark === "=") {
      node.append(shownText(decode(after.substr(a, n))));
    } else if (mark === "+") {
      const ins = el("span", "ins");
      ins.append(shownText(decode(after.substr(a, n))));
      ins.title = after.substr(a, n) === " ".repeat(n) ? "blank inserted" : "inserted";
      node.append(ins);
    } else {
      const del = el("del");
      del.append(shownText(decode(before.substr(b, n))));
      node.append(del);
      if (mark === "~") node.append(el("span", "ins", decode(after.substr(a, n))));
    }
    if (mark !== "+") b += n;
    if (mark !== "-") a += n;
    k = end;
  }
}

// What the lists alone make of a word, when the user unticked a name it holds.
function unnamed(place) {
  return place.seg[5] && place.seg[6].some((k) => !ticked[k]) ? place.seg[5] : null;
}

// The bytes a change or name spot puts in the download.
function textOf(place) {
  if (place.state === "undone") return place.seg[0];
  if (place.state) return place.state;
  return unnamed(place) ?? place.seg[1];
}

function showChange(change) {
  // A change decided at its place shows that, whatever its name's box.
  const node = change.node, alone = change.state ? null : unnamed(change);
  if (!node) return; // its line is not made yet
  node.textContent = "";
  node.classList.toggle("undone", change.state === "undone");
  node.classList.toggle("reading", !!change.state && change.state !== "undone");
  node.classList.toggle("unnamed", !change.state && alone !== null);
  node.setAttribute("aria-pressed", change.state ? "true" : "false");
  if (change.state === "undone") {
    node.append(shownText(change.decode(change.seg[0])));
    node.title = "undone: click to make the change again";
  } else if (change.state && change.state !== change.seg[1]) {
    showBlanks(node, change.state, change.decode);
    node.title = "read otherwise: click to make the change again";
  } else if (alone !== null) {
    node.append(shownText(change.decode(alone)));
    node.title = "as the lists alone repair it, the name unticked: click to undo";
  } else {
    showMarked(node, change.seg, change.decode);
    node.title = KINDS[change.kind] ? KINDS[change.kind][0] + ": click to undo" : "click to undo";
  }
}

// A decided text, its blanks marked as inserted: a word holds none of its own.
function showBlanks(node, text, decode) {
  text.split(" ").forEach((piece, k) => {
    if (k) node.append(el("span", "ins", " "));
    node.append(shownText(decode(piece)));
  });
}

function showSpot(spot) {
  if (!spot.node) return;
  const alone = spot.state ? null : unnamed(spot);
  spot.node.textContent = "";
  spot.node.classList.toggle("unnamed", alone !== null);
  spot.node.classList.toggle("reading", !!spot.state && spot.state !== spot.seg[1]);
  showBlanks(spot.node, textOf(spot), spot.decode);
  spot.node.title = spot.state ? "decided at this place" :
    alone === null ? "a proposed name, kept" : "the name unticked: the lists alone";
}

// A change or a spot as it now stands, wherever it is shown.
function showPlace(place) {
  if (place.spot) showSpot(place);
  else showChange(place);
  for (const view of place.views || []) view();
}

function setState(place, state) {
  if (place.state === state) return;
  for (const group of [place.inFile, place.inSeason]) {
    countState(group, place.state, -1);
    countState(group, state, 1);
  }
  if (!place.spot) place.file.decided += (state ? 1 : 0) - (place.state ? 1 : 0);
  place.state = state;
  showPlace(place);
}

function lineHead(file, line, kinds) {
  const head = el("div", "where");
  head.append(el("span", "", "line " + line.n));
  if (line.cue) head.append(el("span", "", "cue " + plain(file.decode(line.cue))));
  if (line.time) head.append(el("span", "", plain(file.decode(line.time))));
  for (const kind of kinds) {
    const badge = el("span", "badge " + kind, KINDS[kind][0]);
    badge.title = KINDS[kind][1];
    head.append(badge);
  }
  return head;
}

function textRow(label, body) {
  const row = el("div", "text");
  row.append(el("span", "label", label), body);
  return row;
}

function logList(file, line) {
  const list = el("ul", "log");
  for (const message of line.log) {
    const item = el("li", "", line.n + ": ");
    // unjam writes its messages in UTF-8 whatever the file's encoding.
    item.append(shownText(decoderFor({ after: message }).decode(bytesOf(message))));
    list.append(item);
  }
  return list;
}

function lineKinds(file, line, own) {
  const kinds = new Set(file.hasLog ? own : []);
  if (notFound(line)) kinds.add("n");
  return [...kinds];
}

function joinGroup(all, key, change) {
  if (!all.has(key)) all.set(key, Object.assign([], { states: new Map() }));
  const group = all.get(key);
  group.push(change);
  countState(group, "", 1);
  return group;
}

// The decision for every place of a change's word, in its file or in the
// season: undo them all, make them all again, or give them all this one's
// reading. The label counts the places before the click.
function everywhereLabel(change, scope) {
  const some = change[scope], where = data.files.length < 2 ? "" :
    scope === "inFile" ? " in this file" : " in the season";
  const count = " " + some.length + where;
  if (!change.state) return "Undo all" + count;
  if (allIn(some, change.state)) return "Redo all" + count;
  if (change.state === "undone") return "Undo all" + count;
  return "Read " + quoted(plain(change.decode(change.state))) + " in all" + count;
}

// Whether every change of a group is in `state`: each group counts its
// changes by state, so that a label costs no walk over the group.
function allIn(group, state) {
  return (group.states.get(state) || 0) === group.length;
}

function countState(group, state, step) {
  group.states.set(state, (group.states.get(state) || 0) + step);
}

function decideEverywhere(change, scope) {
  const some = change[scope];
  let state = change.state;
  if (state && allIn(some, state)) state = "";
  else if (!state) state = "undone";
  act(everywhereLabel(change, scope).toLowerCase(), some, state);
}

// The row under a line for a change whose word was changed elsewhere too,
// or that has other readings: the decisions that reach beyond one click.
function choiceRow(change) {
  const row = el("div", "choice");
  row.append(el("span", "word", quoted(plain(change.decode(change.seg[0]))) + " \u2192 " +
    quoted(plain(change.decode(change.seg[1]))) + ":"));
  change.buttons = [];
  const scopes = data.files.length < 2 ? ["inFile"] :
    change.inFile.length > 1 && change.inFile.length < change.inSeason.length ?
      ["inFile", "inSeason"] : ["inSeason"];
  for (const scope of change.inSeason.length > 1 ? scopes : []) {
    const node = button("", () => decideEverywhere(change, scope));
    node.dataset.everywhere = scope === "inFile" ? "file" : "season";
    change.buttons.push([node, scope]);
    row.append(node);
  }
  for (const reading of change.seg[4]) {
    const node = button("Read " + quoted(plain(change.decode(reading))), () =>
      act("read " + quoted(plain(change.decode(reading))), [change],
        change.state === reading ? "" : reading), "reading");
    node.dataset.reading = plain(change.decode(reading));
    node.title = "another reading the log reports: put it in the download";
    change.buttons.push([node, reading]);
    row.append(node);
  }
  return row;
}

function labelChoices(change) {
  for (const [node, what] of change.buttons || []) {
    if (what !== "inFile" && what !== "inSeason") {
      node.setAttribute("aria-pressed", change.state === what ? "true" : "false");
      continue;
    }
    const label = everywhereLabel(change, what);
    if (node.textContent !== label) node.textContent = label;
  }
}

// A change or a spot: `at` is where its text stands in the repaired bytes.
// Places of one word, changed one way, form a group; a word's places,
// changed or not, are also found together for its blanks.
function makePlace(file, seg, at, spot) {
  const place = { seg, kind: seg[3], state: "", decode: file.decode, file, node: null, at, spot };
  const key = seg[0] + "\0" + seg[1];
  place.inSeason = joinGroup(groups, key, place);
  place.inFile = joinGroup(file.groups, key, place);
  place.views = new Set();
  if (seg[3] !== "z") {
    if (!wordPlaces.has(seg[0])) wordPlaces.set(seg[0], []);
    wordPlaces.get(seg[0]).push(place);
  }
  return place;
}

function makeChange(file, seg, at, mine) {
  const change = makePlace(file, seg, at, false);
  change.number = mine.length + 1;
  change.index = changes.length;
  change.words = (file.decode(seg[0]) + "\n" + file.decode(seg[1])).toLowerCase();
  changes.push(change);
  file.changes.push(change);
  mine.push(change);
  return change;
}

function changeNode(change) {
  const node = el("button", "change kind-" + (change.file.hasLog ? change.kind : "u"));
  node.type = "button";
  node.dataset.change = change.number;
  node.dataset.word = plain(change.decode(change.seg[0]));
  node.changeIndex = change.index;
  node.disabled = !!change.out;
  node.classList.toggle("current", change.index === current);
  change.node = node;
  showChange(change);
  return node;
}

// The bytes `from` to `from + length` of the repaired file as text; a long
// stretch shows its ends around a mark (not cutting a UTF-8 character).
function appendText(node, file, from, length) {
  const text = file.after, end = from + length;
  if (length <= 3 * CONTEXT) return node.append(shownText(file.decode(text.slice(from, end))));
  let head = from + CONTEXT, tail = end - CONTEXT;
  while (head < tail && (text.charCodeAt(head) & 0xc0) === 0x80) head++;
  while (tail < end && (text.charCodeAt(tail) & 0xc0) === 0x80) tail++;
  const gap = el("span", "elided", "\u2026");
  gap.title = tail - head + " bytes not shown";
  node.append(shownText(file.decode(text.slice(from, head))), gap,
    shownText(file.decode(text.slice(tail, end))));
}

// Every line is known at once, with its changes; its element is made when
// its part is first shown.
// A line that holds only names the repair kept is listed with the names
// only, where each of their places is decided: it has no change to review.
function changedLine(file, line) {
  const mine = [];
  line.places = [];
  let at = line.at;
  for (const seg of line.segs) {
    if (typeof seg === "number") {
      at += seg;
      continue;
    }
    if (seg[3] === "m") {
      const spot = makePlace(file, seg, at, true);
      spots.push(spot);
      line.places.push(spot);
    } else {
      line.places.push(makeChange(file, seg, at, mine));
    }
    at += seg[1].length;
  }
  line.end = at;
  const kinds = lineKinds(file, line, mine.map((c) => c.kind));
  const entry = { file, line, kinds, changes: mine, make: makeChangedLine };
  line.places.forEach((p) => (p.entry = entry));
  line.changes = mine;
  if (!mine.length) return notFound(line) ? unchangedLine(file, line) : null;
  lines.push(entry);
  return entry;
}

function makeChangedLine(entry) {
  const { file, line } = entry, mine = entry.changes;
  const node = el("article", "line");
  node.dataset.line = line.n;
  const before = el("div", "body"), after = el("div", "body");
  let at = line.at, place = 0;
  for (const seg of line.segs) {
    if (typeof seg === "number") {
      appendText(before, file, at, seg);
      appendText(after, file, at, seg);
      at += seg;
      continue;
    }
    const was = el("span", seg[3] === "m" ? "" : "was"), it = line.places[place++];
    was.append(shownText(file.decode(seg[0])));
    before.append(was);
    at += seg[1].length;
    if (seg[3] === "m") {
      it.node = el("span", "spot");
      showSpot(it);
      after.append(it.node);
    } else {
      after.append(changeNode(it));
    }
  }
  const head = lineHead(file, line, entry.kinds), actions = el("span", "actions");
  actions.append(button("Undo line", () => act("undo line " + line.n, mine, "undone")), " ",
    button("Redo line", () => act("redo line " + line.n, mine, "")));
  const editable = line.places.filter(hasGaps);
  entry.blanks = el("div", "blanks");
  if (editable.length) {
    entry.openBlanks = blanksButton(entry.blanks, editable);
    entry.openBlanks.title = "put the blanks of a word where they belong, letter by letter (key b)";
    actions.append(" ", entry.openBlanks);
  }
  head.append(actions);
  node.append(head, textRow("before", before), textRow("after", after), entry.blanks);
  // Rows of choices wait for every change to be known, for the counts.
  const choices = el("div", "choices");
  for (const change of mine) {
    if (change.inSeason.length < 2 && !change.seg[4].length) continue;
    choices.append(choiceRow(change));
    labelChoices(change);
  }
  node.append(choices);
  if (line.log.length) node.append(logList(file, line));
  return node;
}

// Blanks set by hand. A place's text is cut into characters, each with the
// combining marks, variation selectors and joined characters that follow
// it; a blank may stand only between two of them, never inside a character
// of several bytes, before a mark, or next to a control character, and a
// blank taken away is one that stands between two such characters.
const ATTACHED = /^[\p{M}\u200c\u200d\ufe00-\ufe0f]/u;

function charLength(text, k, utf8) {
  const byte = text.charCodeAt(k);
  const length = !utf8 || byte < 0xc0 ? 1 : byte < 0xe0 ? 2 : byte < 0xf0 ? 3 : 4;
  let end = k + 1;
  while (end < k + length && end < text.length && (text.charCodeAt(end) & 0xc0) === 0x80) end++;
  return end - k;
}

// The text as units: {at, end, shown, blank, odd}, a blank or a character
// with what attaches to it; `odd` for a control or direction character.
function unitsOf(text, file) {
  const units = [];
  for (let k = 0; k < text.length;) {
    const length = charLength(text, k, file.utf8), shown = file.decode(text.substr(k, length));
    const last = units[units.length - 1];
    if (last && !last.blank && !last.odd && (ATTACHED.test(shown) || last.shown.endsWith("\u200d"))) {
      last.end += length;
      last.shown += shown;
    } else {
      const odd = shown.search(SPECIAL) >= 0 || shown === "\ufffd";
      units.push({ at: k, end: k + length, shown, blank: text[k] === " ", odd });
    }
    k += length;
  }
  return units;
}

function letter(unit) {
  return unit && !unit.blank && !unit.odd;
}

// The places between the units of `text` where a blank may be set or
// taken away: [offset, whether a blank stands there, unit before, unit after].
function gapsOf(place, text) {
  const units = unitsOf(text, place.file), gaps = [];
  // A word holds no blank of its own; a change that did is left as it is.
  const own = place.seg[0].includes(" ");
  units.forEach((unit, k) => {
    if (k === 0) return;
    if (letter(units[k - 1]) && letter(unit)) gaps.push([unit.at, false, units[k - 1], unit]);
    else if (unit.blank && !own && letter(units[k - 1]) && letter(units[k + 1]))
      gaps.push([unit.at, true, units[k - 1], units[k + 1]]);
  });
  return { units, gaps };
}

// A place whose blanks may be set: not the text a NUL cut off, and one of
// two characters at least.
function hasGaps(place) {
  return place.kind !== "z" && gapsOf(place, textOf(place)).gaps.length > 0;
}

// The state that puts `text` at `place`: as made, undone, or the text itself.
// A place that holds a proposed name keeps its text whatever the name's box.
function stateFor(place, text) {
  if (place.seg[6] && place.seg[6].length) return text;
  if (text === place.seg[1]) return "";
  return text === place.seg[0] ? "undone" : text;
}

function setBlank(place, at, taken) {
  const text = textOf(place);
  const next = taken ? text.slice(0, at) + text.slice(at + 1) : text.slice(0, at) + " " + text.slice(at);
  act("blanks of " + quoted(plain(place.decode(place.seg[0]))) + ": " +
    quoted(plain(place.decode(next))), [place], stateFor(place, next));
}

// The same text at every place of the word, changed or not.
function sameEverywhere(place) {
  const text = textOf(place), all = wordPlaces.get(place.seg[0]) || [place];
  act(quoted(plain(place.decode(text))) + " at every place of " +
    quoted(plain(place.decode(place.seg[0]))), all, (p) => stateFor(p, text));
}

// The letters of a place's text, a button at each gap. A blank set or
// taken away leaves as many gaps, in the same order: the focus stays on the
// one the user acted on.
function drawLetters(letters, place) {
  const focused = [...letters.querySelectorAll(".gap")].indexOf(document.activeElement);
  letters.textContent = "";
  const { units, gaps } = gapsOf(place, textOf(place));
  let gap = 0;
  for (const unit of units) {
    const here = gaps[gap];
    if (here && here[0] === unit.at) {
      const [at, taken, left, right] = here;
      const node = button(taken ? " " : "", () => setBlank(place, at, taken), "gap");
      node.setAttribute("aria-pressed", taken ? "true" : "false");
      node.setAttribute("aria-label", "blank between " + quoted(plain(left.shown)) + " and " +
        quoted(plain(right.shown)));
      node.title = taken ? "take the blank away" : "put a blank here";
      node.dataset.gap = at;
      letters.append(node);
      gap++;
      if (taken) continue;
    }
    letters.append(el("span", "letter", plain(unit.shown)));
  }
  if (focused >= 0) letters.querySelectorAll(".gap")[focused].focus();
}

// A row that shows a place's text letter by letter, a button between two
// letters to set or take away a blank there; arrows move between them.
function blankRow(place) {
  const row = el("div", "blank-row"), word = quoted(plain(place.decode(place.seg[0])));
  row.setAttribute("role", "group");
  row.setAttribute("aria-label", "Blanks of " + word);
  const letters = el("span", "letters"), all = wordPlaces.get(place.seg[0]) || [place];
  row.append(el("span", "word", word + ":"), letters);
  if (all.length > 1) {
    const node = button("Same blanks at all " + all.length + " places of the word", () =>
      sameEverywhere(place));
    node.dataset.blanksEverywhere = all.length;
    row.append(node);
  }
  const draw = () => drawLetters(letters, place);
  row.onkeydown = (event) => {
    const nodes = [...letters.querySelectorAll(".gap")], k = nodes.indexOf(event.target);
    if (k < 0 || (event.key !== "ArrowLeft" && event.key !== "ArrowRight")) return;
    const to = nodes[k + (event.key === "ArrowLeft" ? -1 : 1)];
    if (to) to.focus();
    event.preventDefault();
  };
  row.draw = draw;
  row.place = place;
  place.views.add(draw);
  draw();
  return row;
}

// The button that opens and closes, in `box`, the rows of blanks of `places`.
function blanksButton(box, places) {
  const opener = button("Set blanks", () => {
    const open = opener.getAttribute("aria-expanded") !== "true";
    opener.setAttribute("aria-expanded", open ? "true" : "false");
    for (const row of box.children) row.place.views.delete(row.draw);
    box.textContent = "";
    // Not a change the filter greys out: nothing acts on those.
    for (const place of open ? places.filter((p) => !p.out) : []) {
      const row = blankRow(place);
      row.close = () => {
        opener.click();
        opener.focus();
      };
      box.append(row);
    }
  });
  opener.setAttribute("aria-expanded", "false");
  return opener;
}

function notFound(line) {
  return line.log.some((m) => m.startsWith("Couldn't find"));
}

function unchangedLine(file, line) {
  line.length ??= line.end - line.at;
  const words = file.decode(file.after.slice(line.at, line.at + line.length)).toLowerCase();
  const entry = { file, line, kinds: ["n"], changes: [], words, make: makeUnchangedLine };
  lines.push(entry);
  return entry;
}

function makeUnchangedLine(entry) {
  const { file, line } = entry;
  const node = el("article", "unchanged");
  node.dataset.unchangedLine = line.n;
  const body = el("div", "body");
  appendText(body, file, line.at, line.length);
  node.append(lineHead(file, line, ["n"]), textRow("text", body));
  node.append(logList(file, line));
  return node;
}

// A line's element, made once.
function nodeOf(entry) {
  if (!entry.node) {
    entry.node = entry.make(entry);
    entry.node.classList.toggle("hidden", !!entry.hidden);
  }
  return entry.node;
}

// The reviewed file: the repaired bytes, with each change the user decided
// otherwise put back as decided.
function reviewedParts(file) {
  const after = file.bytes;
  const parts = [];
  let from = 0;
  for (const line of file.lines) {
    let at = line.at, place = 0;
    for (const seg of line.segs) {
      if (typeof seg === "number") {
        at += seg;
        continue;
      }
      const text = textOf(line.places[place++]);
      if (text !== seg[1]) {
        parts.push(after.subarray(from, at), bytesOf(text));
        from = at + seg[1].length;
      }
      at += seg[1].length;
    }
  }
  parts.push(after.subarray(from));
  return parts;
}

function blobOf(parts) {
  return new Blob(parts, { type: "application/octet-stream" });
}

// A zip of stored (uncompressed) files, each checked by its CRC-32: every
// unzip program reads it, and it takes a few lines to write.
const CRC_TABLE = Uint32Array.from({ length: 256 }, (_, n) => {
  for (let k = 0; k < 8; k++) n = n & 1 ? 0xedb88320 ^ (n >>> 1) : n >>> 1;
  return n >>> 0;
});

function crc32(parts) {
  let crc = 0xffffffff;
  for (const part of parts) {
    for (let k = 0; k < part.length; k++) crc = CRC_TABLE[(crc ^ part[k]) & 0xff] ^ (crc >>> 8);
  }
  return (crc ^ 0xffffffff) >>> 0;
}

function zipBlob(entries) {
  const out = [], central = [];
  let offset = 0;
  const header = (fields) => {
    const bytes = new Uint8Array(fields.reduce((n, [, size]) => n + size, 0));
    const view = new DataView(bytes.buffer);
    let at = 0;
    for (const [value, size] of fields) {
      if (size === 2) view.setUint16(at, value, true);
      else view.setUint32(at, value, true);
      at += size;
    }
    return bytes;
  };
  for (const { name, parts } of entries) {
    const nameBytes = bytesOf(name), size = parts.reduce((n, p) => n + p.length, 0);
    const utf8 = /[\x80-\xff]/.test(name) && decoderFor({ after: name }).encoding === "utf-8";
    // version 2.0, the flag for UTF-8 names, stored, 1980-01-01 00:00, CRC, sizes, name length
    const common = [[20, 2], [utf8 ? 0x800 : 0, 2], [0, 2], [0, 2], [0x21, 2], [crc32(parts), 4],
      [size, 4], [size, 4], [nameBytes.length, 2], [0, 2]];
    out.push(header([[0x04034b50, 4]].concat(common)), nameBytes, ...parts);
    central.push(header([[0x02014b50, 4], [20, 2]].concat(common, [[0, 2], [0, 2], [0, 2],
      [0, 4], [offset, 4]])), nameBytes);
    offset += 30 + nameBytes.length + size;
  }
  const size = central.reduce((n, p) => n + p.length, 0);
  return blobOf(out.concat(central, [header([[0x06054b50, 4], [0, 2], [0, 2],
    [entries.length, 2], [entries.length, 2], [size, 4], [offset, 4], [0, 2]])]));
}

// Every reviewed file, and the names as the user left them.
function downloadAll() {
  const entries = data.files.map((file) => ({ name: file.name, parts: reviewedParts(file) }));
  if (data.names.length) {
    entries.push({ name: "words2", parts: nameLines(keptNames(true)) },
      { name: "rejected-names.txt", parts: nameLines(data.rejected.concat(keptNames(false))) });
  }
  download("reviewed.zip", zipBlob(entries));
}

function download(name, blob) {
  const link = el("a");
  link.href = URL.createObjectURL(blob);
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 60000);
}

function fileSection(file, number) {
  file.bytes = bytesOf(file.after);
  const decoder = decoderFor(file);
  file.utf8 = decoder.encoding === "utf-8";
  file.decode = (text) => /^[\x00-\x7f]*$/.test(text) ? text : decoder.decode(bytesOf(text));
  file.groups = new Map();
  file.changes = [];
  file.decided = 0; // changes undone or read otherwise
  const section = el("section", "file");
  section.id = "file-" + number;
  section.dataset.file = plain(file.decode(file.name));
  file.section = section;
  const head = el("div", "file-head");
  const save = button("Download " + plain(file.decode(file.name)),
    () => download(file.decode(file.name), blobOf(reviewedParts(file))), "download");
  head.append(el("h2", "", plain(file.decode(file.name))),
    el("span", "note source", "repair of " + plain(file.decode(file.before))), save);
  file.save = save;
  section.append(head);
  if (!file.hasLog)
    section.append(el("p", "note", "No log given, so silent and ambiguous changes are not told apart."));
  file.entries = file.lines.map((line) => changedLine(file, line)).filter((entry) => entry)
    .concat(file.notFound.map((line) => unchangedLine(file, line)));
  file.notFoundHead = el("h3", "", "Unchanged lines with words not found");
  file.body = el("div", "lines");
  file.away = el("p", "note away");
  if (!file.changes.length) section.append(el("p", "note", "No line was changed."));
  section.append(file.away, file.body);
  return section;
}

// The parts of the page: the files' lines in order, a file of more than
// PART lines cut into parts of its own, a part never cut inside a file's
// piece.
function makeParts() {
  let part = null;
  for (const file of data.files) {
    file.parts = [];
    for (let from = 0; from === 0 || from < file.entries.length; from += PART) {
      const some = file.entries.slice(from, from + PART);
      if (!part || (part.count && part.count + some.length > PART)) {
        part = { pieces: [], count: 0 };
        parts.push(part);
      }
      part.pieces.push({ file, entries: some, from });
      part.count += some.length;
      some.forEach((entry) => (entry.part = parts.length - 1));
      file.parts.push(parts.length - 1);
    }
    if (file.entries.length) awayNote(file);
  }
  if (parts.length > 1) pagers.push(pager("Parts of the page"), pager("Parts of the page, again"));
}

// What a file whose lines another part shows says in their place.
function awayNote(file) {
  const [first, last] = [file.parts[0], file.parts[file.parts.length - 1]];
  const where = first === last ? "part " + (first + 1) : "parts " + (first + 1) + "\u2013" + (last + 1);
  file.away.append("Its lines are in " + where + " of the page. ",
    button("Show " + where.replace(/\u2013.*/, ""), () => {
      showPart(first, false);
      file.section.scrollIntoView();
    }));
}

const pagers = [];

// Previous and next part, and where the part shown stands.
function pager(label) {
  const nav = el("nav", "pager"), where = el("span", "where");
  nav.setAttribute("aria-label", label);
  nav.append(button("Previous part", () => showPart(shownPart - 1, true)), " ",
    button("Next part", () => showPart(shownPart + 1, true)), " ", where);
  return { nav, where };
}

function partText(part) {
  const pieces = parts[part].pieces, of = " (part " + (part + 1) + " of " + parts.length + ")";
  if (data.files.length === 1) {
    const { entries, from, file } = pieces[0];
    return "Lines " + (from + 1) + "\u2013" + (from + entries.length) + " of " +
      file.entries.length + " shown" + of;
  }
  const named = (piece) => plain(piece.file.decode(piece.file.name)) + (piece.file.parts.length > 1 ?
    " lines " + (piece.from + 1) + "\u2013" + (piece.from + piece.entries.length) : "");
  const last = pieces[pieces.length - 1];
  return "Files " + (pieces.length > 1 ? named(pieces[0]) + " to " + named(last) : named(last)) +
    " shown" + of;
}

// Shows the lines of one part of the page, made as they are first shown;
// the other files show their name, their download and where their lines are.
function showPart(part, scroll) {
  if (part < 0 || part >= parts.length || part === shownPart) return;
  if (shownPart >= 0) {
    for (const { file } of parts[shownPart].pieces) {
      file.body.textContent = "";
      file.away.classList.remove("hidden");
    }
  }
  shownPart = part;
  const pieces = parts[part].pieces;
  for (const { file, entries } of pieces) {
    const nodes = document.createDocumentFragment();
    for (const entry of entries) {
      if (entry.line === file.notFound[0]) nodes.append(file.notFoundHead);
      nodes.append(nodeOf(entry));
    }
    file.body.append(nodes);
    file.away.classList.add("hidden");
  }
  if (pagers.length) {
    pieces[0].file.body.before(pagers[0].nav);
    pieces[pieces.length - 1].file.body.after(pagers[1].nav);
  }
  for (const { nav, where } of pagers) {
    where.textContent = partText(part);
    nav.children[0].disabled = part === 0;
    nav.children[1].disabled = part === parts.length - 1;
  }
  if (scroll) pieces[0].file.section.scrollIntoView();
}

function skippedSection([name, reason]) {
  const section = el("section", "file skipped");
  const head = el("div", "file-head"), shownName = plain(decoderFor({ after: name }).decode(bytesOf(name)));
  section.dataset.file = shownName;
  head.append(el("h2", "", shownName));
  section.append(head, el("p", "reason", reason));
  return section;
}

// The way through: each file with its counts, those skipped with their
// reason, and the names.
function makeToc() {
  const toc = document.getElementById("toc"), list = el("ol");
  data.files.forEach((file, k) => {
    const item = el("li"), link = el("a", "", plain(file.decode(file.name)));
    link.href = "#file-" + (k + 1);
    // Its lines shown first, then followed.
    link.onclick = () => {
      if (file.entries.length && !file.parts.includes(shownPart)) showPart(file.parts[0], false);
    };
    file.counts = el("span", "counts");
    item.append(link, " ", file.counts);
    list.append(item);
  });
  for (const [name, reason] of data.skipped) {
    list.append(el("li", "skipped", plain(decoderFor({ after: name }).decode(bytesOf(name))) +
      ": " + reason));
  }
  if (data.names.length) {
    const item = el("li"), link = el("a", "", "Proposed names (" + data.names.length + ")");
    link.href = "#names";
    item.append(link);
    list.append(item);
  }
  if (list.children.length < 2) return;
  toc.append(list);
  const box = document.getElementById("toc-box");
  box.hidden = false;
  setText(document.getElementById("toc-summary"), "Files (" + data.files.length +
    (data.skipped.length ? ", " + data.skipped.length + " not repaired" : "") + ")" +
    (data.names.length ? " and proposed names" : ""));
}

// The counts of `files`: only the undone change after an act, and only in
// the files it reached.
function countFiles(files) {
  for (const file of files) {
    const undone = file.decided;
    const ambiguous = file.ambiguous ??= file.changes.filter((c) => c.kind === "a").length;
    const missing = file.notFoundCount ??= file.lines.concat(file.notFound).filter(notFound).length;
    // unjam's log counts also the repairs it tried inside a word, so its
    // figure, which the season's progress line shows, may be larger.
    const fixed = file.fixed >= 0 ? " (unjam counted " + file.fixed + " repairs)" : "";
    setText(file.counts, "\u2014 " + file.changes.length + " changes" + fixed + ", " + ambiguous +
      " ambiguous, " + missing + (missing === 1 ? " line" : " lines") +
      " with words not found, " + undone + " undone");
  }
}

function nameText(name) {
  return plain(decoderFor({ after: name }).decode(bytesOf(name)));
}

// Every place where each name stands, cut or kept, in page order.
function placesByName() {
  const all = data.names.map(() => []);
  const inOrder = data.files.flatMap((file) => file.lines.flatMap((line) => line.places));
  for (const place of inOrder) for (const k of place.seg[6] || []) all[k].push(place);
  return all;
}

function countOf(n, one) {
  return n + " " + one + (n === 1 ? "" : "s");
}

// Up to `length` bytes of the repaired text before `from` or after it
// (`step` -1 or 1), within the line, cut between two characters.
function near(file, line, from, step, length) {
  const text = file.after;
  let to = step < 0 ? Math.max(line.at, from - length) : Math.min(line.end, from + length);
  while (file.utf8 && to > line.at && to < line.end && (text.charCodeAt(to) & 0xc0) === 0x80)
    to -= step;
  const cut = step < 0 ? to > line.at : to < line.end;
  const piece = file.decode(step < 0 ? text.slice(to, from) : text.slice(from, to));
  return step < 0 ? (cut ? "\u2026" : "") + piece : piece + (cut ? "\u2026" : "");
}

// A place of a name in its list: where it stands, the line around it as the
// page would download it there, and its own decision, which the name's box
// no longer rules: the name's text, the lists' text, or blanks set by hand.
function placeRow(place, number) {
  const { file, seg } = place, line = place.entry.line;
  const item = el("li", "place"), text = el("span", "spot"), blanks = el("div", "blanks");
  item.dataset.place = number;
  item.append(el("span", "at", plain(file.decode(file.name)) + ", line " + line.n + ": "),
    el("span", "context", plain(near(file, line, place.at, -1, 50))), text,
    el("span", "context", plain(near(file, line, place.at + seg[1].length, 1, 50))), " ");
  const pick = (label, state, what) => {
    const node = button(label + " " + quoted(plain(file.decode(state))), () => act(what + " at " +
      plain(file.decode(file.name)) + " line " + line.n, [place], place.state === state ? "" : state));
    node.dataset.pick = what;
    return node;
  };
  const picks = [pick("Name:", seg[1], "name")];
  if (seg[5]) picks.push(pick("Lists alone:", seg[5], "lists alone"));
  const actions = el("span", "actions");
  actions.append(...picks, " ", blanksButton(blanks, [place]));
  item.append(actions, blanks);
  const view = () => {
    text.textContent = "";
    showBlanks(text, textOf(place), file.decode);
    text.classList.toggle("reading", !!place.state);
    for (const node of picks) {
      const state = node.dataset.pick === "name" ? seg[1] : seg[5];
      node.setAttribute("aria-pressed", place.state === state ? "true" : "false");
    }
  };
  place.views.add(view);
  view();
  return item;
}

// The places of a name, listed when first opened.
function placesList(name, places) {
  const box = el("details", "places");
  box.append(el("summary", "", "where " + (places.length === 1 ? "it stands" : "they stand")));
  box.ontoggle = () => {
    if (!box.open || box.children.length > 1) return;
    const list = el("ol");
    places.forEach((place, k) => list.append(placeRow(place, k + 1)));
    box.append(list);
  };
  return box;
}

function keptNames(wanted) {
  return data.names.filter((_, k) => ticked[k] === wanted);
}

function nameLines(names) {
  return names.map((name) => bytesOf(name + "\n"));
}

function namesSection(names) {
  const section = el("section", "file names-part");
  section.id = "names";
  const head = el("div", "file-head");
  head.append(el("h2", "", "Proposed names for words2"));
  section.append(head, el("p", "note", "Untick the words that are not names of the series: " +
    "each place the name stands then shows, and downloads, what the word lists alone make of " +
    "it. Each place, listed under its name, can also be decided on its own: the name, the " +
    "lists' reading, or blanks set by hand. Keep the rejected names in rejected-names.txt in " +
    "the output folder: the next run does not propose them again."));
  const list = el("ul", "names"), byName = placesByName();
  names.forEach((name, k) => {
    const item = el("li"), label = el("label"), box = el("input");
    const places = byName[k];
    box.type = "checkbox";
    box.checked = true;
    box.dataset.name = name;
    box.onchange = () => {
      ticked[k] = box.checked;
      places.forEach(showPlace);
      tell((box.checked ? "Ticked " : "Unticked ") + nameText(name) + ": " +
        countOf(places.length, "place") + ".", places.map((p) => [p]));
    };
    label.append(box, " ", shownText(nameText(name)),
      el("span", "count", places.length ? " (" + countOf(places.length, "place") + ")" : ""));
    item.append(label);
    if (places.length) item.append(placesList(name, places));
    list.append(item);
  });
  head.append(button("Download words2", () => download("words2", blobOf(nameLines(
    keptNames(true)))), "download"), button("Download rejected-names.txt", () => download(
    "rejected-names.txt", blobOf(nameLines(data.rejected.concat(keptNames(false))))), "download"));
  section.append(list);
  if (data.rejected.length) {
    section.append(el("p", "note", "Rejected in an earlier run, not proposed (kept in " +
      "rejected-names.txt): " + data.rejected.map(nameText).join(", ")));
  }
  return section;
}

function matchesWord(change) {
  return !filter.word || change.words.includes(filter.word);
}

// A change is listed when the filters ask for it: a line listed for one
// ambiguous change may hold silent ones, which are then greyed out, and no
// key or button acts on them. It is shown when its line is on the page, in
// the part shown of its file.
function listed(change) {
  return !change.out && !change.entry.hidden;
}

function shown(change) {
  return listed(change) && change.entry.part === shownPart;
}

function applyFilter() {
  const kind = filter.kind;
  for (const change of changes) {
    change.out = (!!kind && kind !== "n" && change.kind !== kind) || !matchesWord(change);
    if (change.node) change.node.disabled = change.out;
  }
  for (const line of lines) {
    const byWord = !filter.word || (line.words ? line.words.includes(filter.word) :
      line.changes.some(matchesWord));
    line.hidden = (!!kind && !line.kinds.includes(kind)) || !byWord;
    if (line.node) line.node.classList.toggle("hidden", line.hidden);
  }
  // A part with nothing left to show gives way to the first that has.
  if (!lines.some((line) => !line.hidden && line.part === shownPart)) {
    const first = lines.find((line) => !line.hidden);
    if (first) showPart(first.part, false);
  }
  if (current >= 0 && !shown(changes[current]) && changes[current].node)
    changes[current].node.classList.remove("current");
  for (const node of document.querySelectorAll("#filters button"))
    node.setAttribute("aria-pressed", node.dataset.kind === kind ? "true" : "false");
}

// Text is set only where it changes: a click on a long page lays out no
// more than it must.
function setText(node, text) {
  if (node.textContent !== text) node.textContent = text;
}

// The figures of the bar, and those of `files` in the table of contents;
// what no act changes is counted once.
let kindCounts = null, changedLines = 0;
function summarize(files) {
  if (!kindCounts) {
    kindCounts = {};
    for (const kind of Object.keys(KINDS))
      kindCounts[kind] = lines.filter((l) => l.kinds.includes(kind)).length;
    changedLines = lines.filter((l) => l.changes.length).length;
  }
  const undone = data.files.reduce((n, file) => n + file.decided, 0);
  const figures = document.querySelectorAll("#summary b");
  [changedLines, changes.length, undone].forEach((n, k) => setText(figures[k], String(n)));
  countFiles(files);
  for (const node of document.querySelectorAll("#filters button")) {
    const kind = node.dataset.kind;
    setText(node, kind ? KINDS[kind][0] + " " + kindCounts[kind] : "All");
  }
}

function makeSummary() {
  document.getElementById("summary").append(el("b"), " lines changed, ", el("b"), " changes, ",
    el("b"), " undone or read otherwise. ", el("span", "news"));
  document.querySelector("#summary .news").id = "news";
}

function makeFilters(hasLog) {
  const group = document.getElementById("filters");
  const cuts = ["z", "e"].filter((kind) => changes.some((c) => c.kind === kind));
  for (const kind of ["", "s", "a", "i", "n"].concat(cuts)) {
    const node = button("", () => {
      filter.kind = filter.kind === kind ? "" : kind;
      applyFilter();
    });
    node.dataset.kind = kind;
    if (kind) node.title = "lines with a change that is " + KINDS[kind][1];
    node.disabled = !hasLog && !!kind && !cuts.includes(kind);
    group.append(node);
  }
  document.getElementById("search").oninput = (event) => {
    filter.word = event.target.value.toLowerCase();
    applyFilter();
  };
}

// A click leaves the change where it is, so that a second click redoes it;
// the keys bring it to the middle of the window.
function focusChange(index, scroll) {
  if (current >= 0 && changes[current].node) changes[current].node.classList.remove("current");
  current = index;
  const change = changes[current];
  showPart(change.entry.part, false);
  const node = change.node;
  node.classList.add("current");
  node.focus({ preventScroll: true });
  if (scroll) node.scrollIntoView({ block: "center" });
}

// The next change listed in the direction `step`, from the current one,
// in the next part of its file when this one has no more.
function move(step) {
  for (let k = current + step; k >= 0 && k < changes.length; k += step) {
    if (listed(changes[k])) return focusChange(k, true);
  }
}

// The file whose name stands under the bar: the last that begins above it.
function fileAtTop() {
  const clear = barHeight() + 2;
  let found = null;
  for (const file of data.files) if (file.section.getBoundingClientRect().top <= clear) found = file;
  return found;
}

// To the next file's name, with its download focused; j then goes on from there.
function jumpToFile(step) {
  const at = data.files.indexOf(fileAtTop());
  const top = at >= 0 ? data.files[at].section.getBoundingClientRect().top : 0;
  if (at < 0 && step < 0) return;
  // From a file not yet scrolled to its head, "previous" is that file itself.
  const to = data.files[step < 0 && top < barHeight() - 2 ? at : at + step];
  if (!to) return;
  if (to.entries.length && !to.parts.includes(shownPart)) showPart(to.parts[0], false);
  window.scrollTo(0, window.scrollY + to.section.getBoundingClientRect().top - barHeight());
  to.save.focus({ preventScroll: true });
  if (current >= 0 && changes[current].node) changes[current].node.classList.remove("current");
  current = to.changes.length ? to.changes[0].index - 1 : current;
}

function toggle(change) {
  act((change.state ? "redo " : "undo ") + quoted(plain(change.decode(change.seg[0]))),
    [change], change.state ? "" : "undone");
}

// Opens the row of blanks of the current change and puts the focus on its
// first gap.
function blanksOfCurrent() {
  if (current < 0 || !shown(changes[current])) return;
  const change = changes[current], entry = change.entry;
  if (!entry.openBlanks || !hasGaps(change)) return;
  if (entry.openBlanks.getAttribute("aria-expanded") !== "true") entry.openBlanks.click();
  const row = [...entry.blanks.children].find((r) => r.place === change);
  row.querySelector(".gap").focus();
}

function onKey(event) {
  // Keys are letters typed in the search box; on a check box or a button
  // they act as anywhere else.
  if (event.ctrlKey || event.metaKey || event.altKey ||
      event.target.matches("input:not([type=checkbox]), textarea")) return;
  const focused = document.activeElement.matches(".change") ? document.activeElement.changeIndex : -1;
  if (focused >= 0 && focused !== current) focusChange(focused, false);
  // Space keeps its own meaning on the page's other buttons and boxes.
  if (event.key === " " && focused < 0 && event.target.matches("button, input, summary, a")) return;
  if (event.key === "Escape" && event.target.closest(".blank-row")) {
    event.target.closest(".blank-row").close();
  } else if (event.key === "b") blanksOfCurrent();
  else if (event.key === "j") move(1);
  else if (event.key === "k") move(-1);
  else if (event.key === "f" || event.key === "F") jumpToFile(event.key === "f" ? 1 : -1);
  else if (event.key === "d" && data.files.length) (fileAtTop() || data.files[0]).save.focus();
  else if (event.key === "a") document.getElementById("download-all").focus();
  else if (event.key === "n" && document.getElementById("names")) {
    document.getElementById("names").scrollIntoView();
    document.querySelector("#names input").focus({ preventScroll: true });
  }
  else if (event.key === " " || event.key === "u") {
    // Never a change the filter hides.
    if (current >= 0 && shown(changes[current])) toggle(changes[current]);
  } else return;
  event.preventDefault();
}

// Every act goes through here, so that the last can be taken back. `state`
// is the state for every place, or a function that gives each its own.
function act(what, some, state) {
  const stateOf = typeof state === "function" ? state : () => state;
  const saved = some.map((c) => [c, c.state, stateOf(c)]).filter(([, was, to]) => was !== to);
  if (!saved.length) return;
  history.push({ what, saved });
  saved.forEach(([c, , to]) => setState(c, to));
  relabel(saved);
  tell(what + ": " + saved.length + (saved.length === 1 ? " place" : " places") + ".", saved);
}

function takeBack() {
  const last = history.pop();
  if (!last) return;
  last.saved.forEach(([c, state]) => setState(c, state));
  relabel(last.saved);
  tell("Taken back: " + last.what + ".", last.saved);
}

// The choice rows of every place of the words an act changed: only those
// made have a row.
function relabel(saved) {
  const done = new Set();
  for (const [change] of saved) {
    if (done.has(change.inSeason)) continue;
    done.add(change.inSeason);
    for (const place of change.inSeason) if (place.buttons) labelChoices(place);
  }
}

function tell(news, saved) {
  summarize(saved ? new Set(saved.map(([c]) => c.file)) : data.files);
  const node = document.getElementById("take-back");
  node.disabled = !history.length;
  node.title = history.length ? "take back: " + history[history.length - 1].what : "";
  document.getElementById("news").textContent = news;
}

function choicesMade() {
  return data.files.some((f) => f.decided) || spots.some((s) => s.state) || ticked.some((t) => !t);
}

// The sticky bar's height, for what is scrolled to or focused to stay clear of it.
function barHeight() {
  const bar = document.getElementById("bar");
  return getComputedStyle(bar).position === "sticky" ? bar.getBoundingClientRect().height : 0;
}

// What stays on screen above the lines: the bar, and a file's name under it.
function clearTop() {
  const head = document.querySelector(".file-head");
  return barHeight() + (head ? head.getBoundingClientRect().height : 0);
}

function keepFocusClear(event) {
  if (event.target.closest("#bar, .file-head")) return;
  requestAnimationFrame(() => {
    const top = event.target.getBoundingClientRect().top, clear = clearTop() + 8;
    if (top < clear) window.scrollBy(0, top - clear);
  });
}

function main() {
  const files = document.getElementById("files");
  const sections = document.createDocumentFragment();
  data.files.forEach((file, k) => sections.append(fileSection(file, k + 1)));
  makeParts();
  showPart(0, false);
  data.skipped.forEach((skipped) => sections.append(skippedSection(skipped)));
  if (data.names.length) sections.append(namesSection(data.names));
  files.append(sections);
  makeToc();
  makeSummary();
  makeFilters(data.files.some((f) => f.hasLog));
  applyFilter();
  summarize(data.files);
  files.addEventListener("click", (event) => {
    const node = event.target.closest(".change");
    if (!node) return;
    const index = node.changeIndex;
    focusChange(index, false);
    toggle(changes[index]);
  });
  document.addEventListener("keydown", onKey);
  document.addEventListener("focusin", keepFocusClear);
  const root = document.documentElement;
  new ResizeObserver(() => {
    root.style.setProperty("--bar-h", barHeight() + "px");
    root.style.setProperty("--clear", clearTop() + "px");
  }).observe(document.getElementById("bar"));
  window.addEventListener("beforeunload", (event) => {
    if (!choicesMade()) return;
    event.preventDefault();
    event.returnValue = "";
  });
  document.getElementById("undo-shown").onclick = () =>
    act("undo all shown", changes.filter(shown), "undone");
  document.getElementById("redo-shown").onclick = () =>
    act("redo all shown", changes.filter(shown), "");
  document.getElementById("take-back").onclick = takeBack;
  document.getElementById("download-all").onclick = downloadAll;
  if (data.files.length > 1) document.title = "Unjam review of " + data.files.length + " files";
  else if (data.files.length) document.title = "Unjam review of " + plain(data.files[0].decode(data.files[0].name));
  document.body.dataset.renderMs = Math.round(performance.now() - started);
}

main();
