"use strict";
// The review page. Texts arrive as byte strings (one character per byte) so
// that a download gives back the exact bytes; they are decoded only to be
// shown, and always shown as text, never as HTML.

const started = performance.now();
const data = JSON.parse(document.getElementById("review-data").textContent);
const changes = []; // every change of every file, in page order
const spots = []; // every unchanged word that holds a proposed name
const lines = []; // every changed or not-found line with its kinds, made or not
// A file of more lines than this shows them a part at a time: a page of a
// million lines would not open, and no one reads it at one go.
const PART = 1000;
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
  const node = change.node, alone = unnamed(change);
  if (!node) return; // its line is not made yet
  node.textContent = "";
  node.classList.toggle("undone", change.state === "undone");
  node.classList.toggle("reading", !!change.state && change.state !== "undone");
  node.classList.toggle("unnamed", !change.state && alone !== null);
  node.setAttribute("aria-pressed", change.state ? "true" : "false");
  if (change.state) {
    node.append(shownText(change.decode(textOf(change))));
    node.title = (change.state === "undone" ? "undone" : "another reading") +
      ": click to make the change again";
  } else if (alone !== null) {
    node.append(shownText(change.decode(alone)));
    node.title = "as the lists alone repair it, the name unticked: click to undo";
  } else {
    showMarked(node, change.seg, change.decode);
    node.title = KINDS[change.kind] ? KINDS[change.kind][0] + ": click to undo" : "click to undo";
  }
}

function showSpot(spot) {
  const alone = unnamed(spot);
  if (!spot.node) return;
  spot.node.textContent = "";
  spot.node.classList.toggle("unnamed", alone !== null);
  spot.node.append(shownText(spot.decode(alone ?? spot.seg[1])));
  spot.node.title = alone === null ? "a proposed name, kept" : "the name unticked: the lists alone";
}

function setState(change, state) {
  if (change.state === state) return;
  for (const group of [change.inFile, change.inSeason]) {
    countState(group, change.state, -1);
    countState(group, state, 1);
  }
  change.state = state;
  showChange(change);
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
  if (line.log.some((m) => m.startsWith("Couldn't find"))) kinds.add("n");
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
    change.inFile.length < change.inSeason.length ? ["inFile", "inSeason"] : ["inSeason"];
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

function makeChange(file, seg, mine) {
  const change = { seg, kind: seg[3], state: "", decode: file.decode, file, node: null };
  change.number = mine.length + 1;
  change.index = changes.length;
  change.words = (file.decode(seg[0]) + "\n" + file.decode(seg[1])).toLowerCase();
  const key = seg[0] + "\0" + seg[1];
  change.inSeason = joinGroup(groups, key, change);
  change.inFile = joinGroup(file.groups, key, change);
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
function changedLine(file, line) {
  const mine = [];
  line.places = [];
  for (const seg of line.segs) {
    if (typeof seg === "number") continue;
    if (seg[3] === "m") {
      const spot = { seg, state: "", decode: file.decode, node: null };
      spots.push(spot);
      line.places.push(spot);
    } else {
      line.places.push(makeChange(file, seg, mine));
    }
  }
  const kinds = lineKinds(file, line, mine.map((c) => c.kind));
  const entry = { file, line, kinds, changes: mine, make: makeChangedLine };
  mine.forEach((c) => (c.entry = entry));
  line.changes = mine;
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
  const head = lineHead(file, line, entry.kinds);
  if (mine.length) {
    const actions = el("span", "actions");
    actions.append(button("Undo line", () => act("undo line " + line.n, mine, "undone")), " ",
      button("Redo line", () => act("redo line " + line.n, mine, "")));
    head.append(actions);
  }
  node.append(head, textRow("before", before), textRow("after", after));
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

function unchangedLine(file, line) {
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
  file.decode = ((decoder) => (text) =>
    /^[\x00-\x7f]*$/.test(text) ? text : decoder.decode(bytesOf(text)))(decoderFor(file));
  file.groups = new Map();
  file.changes = [];
  const section = el("section", "file");
  section.id = "file-" + number;
  section.dataset.file = plain(file.decode(file.name));
  file.section = section;
  const head = el("div", "file-head");
  const save = button("Download " + plain(file.decode(file.name)),
    () => download(file.decode(file.name), blobOf(reviewedParts(file))), "download");
  head.append(el("h2", "", plain(file.decode(file.name))), save);
  file.save = save;
  section.append(head);
  const source = "repair of " + plain(file.decode(file.before)) +
    (file.hasLog ? "" : "; no log given, so silent and ambiguous changes are not told apart");
  section.append(el("p", "note", source));
  file.entries = file.lines.map((line) => changedLine(file, line));
  file.entries.forEach((entry, k) => (entry.part = Math.floor(k / PART)));
  const unchanged = file.notFound.map((line) => unchangedLine(file, line));
  unchanged.forEach((entry, k) => (entry.part = Math.floor((file.entries.length + k) / PART)));
  file.entries = file.entries.concat(unchanged);
  file.notFoundHead = el("h3", "", "Unchanged lines with words not found");
  file.body = el("div", "lines");
  file.pagers = [];
  if (!file.lines.length) section.append(el("p", "note", "No line was changed."));
  if (file.entries.length > PART) section.append(pager(file));
  section.append(file.body);
  if (file.entries.length > PART) section.append(pager(file));
  return section;
}

// Previous and next for a file shown in parts, and where the part stands.
function pager(file) {
  const nav = el("nav", "pager"), where = el("span", "where");
  nav.setAttribute("aria-label", "Parts of " + plain(file.decode(file.name)));
  const parts = Math.ceil(file.entries.length / PART);
  nav.append(button("Previous part", () => showPart(file, file.part - 1, true)), " ",
    button("Next part", () => showPart(file, file.part + 1, true)), " ", where);
  file.pagers.push({ nav, where, parts });
  return nav;
}

// Shows the lines of one part of a file, made as they are first shown.
function showPart(file, part, scroll) {
  const parts = Math.max(1, Math.ceil(file.entries.length / PART));
  if (part < 0 || part >= parts || part === file.part) return;
  file.part = part;
  const shownLines = file.entries.slice(part * PART, (part + 1) * PART);
  const nodes = document.createDocumentFragment();
  for (const entry of shownLines) {
    if (entry.line === file.notFound[0]) nodes.append(file.notFoundHead);
    nodes.append(nodeOf(entry));
  }
  file.body.textContent = "";
  file.body.append(nodes);
  const first = part * PART + 1, last = part * PART + shownLines.length;
  for (const { nav, where } of file.pagers) {
    where.textContent = "Lines " + first + "\u2013" + last + " of " + file.entries.length +
      " shown (part " + (part + 1) + " of " + parts + ")";
    nav.children[0].disabled = part === 0;
    nav.children[1].disabled = part === parts - 1;
  }
  if (scroll) file.section.scrollIntoView();
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
  if (list.children.length > 1) toc.append(el("b", "", "Files"), list);
}

function countFiles() {
  for (const file of data.files) {
    const undone = file.changes.filter((c) => c.state).length;
    const ambiguous = file.changes.filter((c) => c.kind === "a").length;
    const notFound = file.lines.concat(file.notFound).filter((l) => l.log.some(
      (m) => m.startsWith("Couldn't find"))).length;
    // unjam's log counts also the repairs it tried inside a word, so its
    // figure, which the season's progress line shows, may be larger.
    const fixed = file.fixed >= 0 ? " (unjam counted " + file.fixed + " repairs)" : "";
    setText(file.counts, "\u2014 " + file.changes.length + " changes" + fixed + ", " + ambiguous +
      " ambiguous, " + notFound + (notFound === 1 ? " line" : " lines") +
      " with words not found, " + undone + " undone");
  }
}

function nameText(name) {
  return plain(decoderFor({ after: name }).decode(bytesOf(name)));
}

// The places where a name stands and the lists alone would do otherwise.
function placesOf(k) {
  return changes.concat(spots).filter((p) => p.seg[5] && p.seg[6].includes(k));
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
    "it. Keep the rejected names in rejected-names.txt in the output folder: the next run " +
    "does not propose them again."));
  const list = el("ul", "names");
  names.forEach((name, k) => {
    const item = el("li"), label = el("label"), box = el("input");
    const places = placesOf(k);
    box.type = "checkbox";
    box.checked = true;
    box.dataset.name = name;
    box.onchange = () => {
      ticked[k] = box.checked;
      places.forEach((p) => (p.seg[3] === "m" ? showSpot(p) : showChange(p)));
      tell((box.checked ? "Ticked " : "Unticked ") + nameText(name) + ": " + places.length +
        (places.length === 1 ? " place." : " places."));
    };
    label.append(box, " ", shownText(nameText(name)),
      el("span", "count", places.length ? " (" + places.length + " places)" : ""));
    item.append(label);
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
  return listed(change) && change.entry.part === change.file.part;
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

function summarize() {
  const count = (kind) => lines.filter((l) => l.kinds.includes(kind)).length;
  const undone = changes.filter((c) => c.state).length;
  const changedLines = lines.filter((l) => l.changes.length).length;
  const figures = document.querySelectorAll("#summary b");
  [changedLines, changes.length, undone].forEach((n, k) => setText(figures[k], String(n)));
  countFiles();
  for (const node of document.querySelectorAll("#filters button")) {
    const kind = node.dataset.kind;
    setText(node, kind ? KINDS[kind][0] + " " + count(kind) : "All");
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
  showPart(change.file, change.entry.part, false);
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
  window.scrollTo(0, window.scrollY + to.section.getBoundingClientRect().top - barHeight());
  to.save.focus({ preventScroll: true });
  if (current >= 0 && changes[current].node) changes[current].node.classList.remove("current");
  current = to.changes.length ? to.changes[0].index - 1 : current;
}

function toggle(change) {
  act((change.state ? "redo " : "undo ") + quoted(plain(change.decode(change.seg[0]))),
    [change], change.state ? "" : "undone");
}

function onKey(event) {
  if (event.ctrlKey || event.metaKey || event.altKey || event.target.matches("input")) return;
  const focused = document.activeElement.matches(".change") ? document.activeElement.changeIndex : -1;
  if (focused >= 0 && focused !== current) focusChange(focused, false);
  // Space keeps its own meaning on the page's other buttons.
  if (event.key === " " && focused < 0 && event.target.matches("button")) return;
  if (event.key === "j") move(1);
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

// Every act goes through here, so that the last can be taken back.
function act(what, some, state) {
  const saved = some.filter((c) => c.state !== state).map((c) => [c, c.state]);
  if (!saved.length) return;
  history.push({ what, saved });
  saved.forEach(([c]) => setState(c, state));
  relabel(saved);
  tell(what + ": " + saved.length + (saved.length === 1 ? " change" : " changes") + ".");
}

function takeBack() {
  const last = history.pop();
  if (!last) return;
  last.saved.forEach(([c, state]) => setState(c, state));
  relabel(last.saved);
  tell("Taken back: " + last.what + ".");
}

// The choice rows of every place of the words an act changed.
function relabel(saved) {
  const done = new Set();
  for (const [change] of saved) {
    if (done.has(change.inSeason)) continue;
    done.add(change.inSeason);
    change.inSeason.forEach(labelChoices);
  }
}

function tell(news) {
  summarize();
  const node = document.getElementById("take-back");
  node.disabled = !history.length;
  node.title = history.length ? "take back: " + history[history.length - 1].what : "";
  document.getElementById("news").textContent = news;
}

function choicesMade() {
  return changes.some((c) => c.state) || ticked.some((t) => !t);
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
  data.files.forEach((file) => showPart(file, 0, false));
  data.skipped.forEach((skipped) => sections.append(skippedSection(skipped)));
  if (data.names.length) sections.append(namesSection(data.names));
  files.append(sections);
  makeToc();
  makeSummary();
  makeFilters(data.files.some((f) => f.hasLog));
  applyFilter();
  summarize();
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
