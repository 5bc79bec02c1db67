"use strict";
// The review page. Texts arrive as byte strings (one character per byte) so
// that a download gives back the exact bytes; they are decoded only to be
// shown, and always shown as text, never as HTML.

const started = performance.now();
const data = JSON.parse(document.getElementById("review-data").textContent);
const changes = []; // every change of every file, in page order
const lines = []; // every changed or not-found line element with its kinds
let current = -1; // index in `changes` of the change the keys act on

const KINDS = {
  s: ["Silent", "made without a message: the split had one reading"],
  a: ["Ambiguous", "the split had other readings"],
  i: ["Doubled i", "an i of \"ii\" was dropped"],
  n: ["Not found", "a word of the line is in no word list"],
  z: ["Cut at NUL", "unjam dropped the text after a NUL byte"],
};
const filter = { kind: "" };
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
    new TextDecoder("utf-8", { fatal: true }).decode(bytesOf(file.after));
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

// The change as made: inserted blanks as a visible mark, dropped and
// replaced bytes struck. Runs of one mark are decoded together; they never
// cut a character: a blank stands between two characters, and the other
// marks but '=' fall on ASCII bytes only.
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

function showChange(change) {
  const node = change.node;
  node.textContent = "";
  node.classList.toggle("undone", change.undone);
  node.setAttribute("aria-pressed", change.undone ? "true" : "false");
  if (change.undone) {
    node.append(shownText(change.decode(change.seg[0])));
    node.title = "undone: click to make the change again";
  } else {
    showMarked(node, change.seg, change.decode);
    node.title = KINDS[change.kind] ? KINDS[change.kind][0] + ": click to undo" : "click to undo";
  }
}

function setUndone(change, undone) {
  if (change.undone === undone) return;
  change.undone = undone;
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

function changedLine(file, line) {
  const node = el("article", "line");
  node.dataset.line = line.n;
  const before = el("div", "body"), after = el("div", "body");
  const mine = [];
  line.segs.forEach((seg, k) => {
    if (typeof seg === "string") {
      before.append(shownText(file.decode(seg)));
      after.append(shownText(file.decode(seg)));
      return;
    }
    const was = el("span", "was");
    was.append(shownText(file.decode(seg[0])));
    before.append(was);
    const change = { seg, kind: seg[3], undone: false, decode: file.decode };
    change.node = el("button", "change kind-" + (file.hasLog ? seg[3] : "u"));
    change.node.type = "button";
    change.node.dataset.change = mine.length + 1;
    change.index = changes.length;
    changes.push(change);
    mine.push(change);
    showChange(change);
    after.append(change.node);
  });
  const undoLine = el("button", "", "Undo line");
  const redoLine = el("button", "", "Redo line");
  undoLine.type = redoLine.type = "button";
  undoLine.onclick = () => act("undo line " + line.n, mine, true);
  redoLine.onclick = () => act("redo line " + line.n, mine, false);
  const kinds = lineKinds(file, line, mine.map((c) => c.kind));
  const head = lineHead(file, line, kinds);
  const actions = el("span", "actions");
  actions.append(undoLine, " ", redoLine);
  head.append(actions);
  node.append(head, textRow("before", before), textRow("after", after));
  if (line.log.length) node.append(logList(file, line));
  const entry = { node, kinds, changes: mine };
  mine.forEach((c) => (c.entry = entry));
  line.changes = mine;
  lines.push(entry);
  return node;
}

function unchangedLine(file, line) {
  const node = el("article", "unchanged");
  node.dataset.unchangedLine = line.n;
  const body = el("div", "body");
  body.append(shownText(file.decode(line.text)));
  node.append(lineHead(file, line, ["n"]), textRow("text", body));
  node.append(logList(file, line));
  lines.push({ node, kinds: ["n"], changes: [] });
  return node;
}

// The reviewed file: the repaired bytes, with each line that holds an
// undone change rebuilt from its pieces.
function reviewedBytes(file) {
  const after = file.bytes;
  const parts = [];
  let at = 0;
  for (const line of file.lines) {
    const undone = line.changes.some((c) => c.undone);
    if (!undone) continue;
    let text = "", length = 0;
    for (const seg of line.segs) {
      if (typeof seg === "string") {
        text += seg;
        length += seg.length;
      } else {
        const change = line.changes.find((c) => c.seg === seg);
        text += change.undone ? seg[0] : seg[1];
        length += seg[1].length;
      }
    }
    parts.push(after.subarray(at, line.at), bytesOf(text));
    at = line.at + length;
  }
  parts.push(after.subarray(at));
  return new Blob(parts, { type: "application/octet-stream" });
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
  file.decode = ((decoder) => (text) =>
    /^[\x00-\x7f]*$/.test(text) ? text : decoder.decode(bytesOf(text)))(decoderFor(file));
  file.bytes = bytesOf(file.after);
  const section = el("section", "file");
  section.dataset.file = number;
  const head = el("div", "file-head");
  const save = el("button", "download", "Download " + plain(file.decode(file.name)));
  save.type = "button";
  save.onclick = () => download(file.decode(file.name), reviewedBytes(file));
  head.append(el("h2", "", plain(file.decode(file.name))), save);
  section.append(head);
  const source = "repair of " + plain(file.decode(file.before)) +
    (file.hasLog ? "" : "; no log given, so silent and ambiguous changes are not told apart");
  section.append(el("p", "note", source));
  for (const line of file.lines) section.append(changedLine(file, line));
  if (!file.lines.length) section.append(el("p", "note", "No line was changed."));
  if (file.notFound.length) {
    section.append(el("h3", "", "Unchanged lines with words not found"));
    for (const line of file.notFound) section.append(unchangedLine(file, line));
  }
  return section;
}

function namesSection(names) {
  const section = el("section", "file");
  const head = el("div", "file-head");
  const save = el("button", "download", "Download words2");
  save.type = "button";
  head.append(el("h2", "", "Proposed names for words2"), save);
  section.append(head, el("p", "note", "Untick the words that are not names of the series."));
  const list = el("ul", "names");
  const boxes = names.map((name) => {
    const item = el("li"), label = el("label"), box = el("input");
    box.type = "checkbox";
    box.checked = true;
    box.dataset.name = name;
    label.append(box, " ", shownText(decoderFor({ after: name }).decode(bytesOf(name))));
    item.append(label);
    list.append(item);
    return box;
  });
  save.onclick = () => download("words2", new Blob(boxes.filter((b) => b.checked).map(
    (b) => bytesOf(b.dataset.name + "\n")), { type: "application/octet-stream" }));
  section.append(list);
  return section;
}

// A change is shown when its line is and the filter asks for its kind: a
// line shown for one ambiguous change may hold silent ones, which are then
// greyed out, and no key or button acts on them.
function shown(change) {
  return !change.out && !change.entry.node.classList.contains("hidden");
}

function applyFilter(kind) {
  filter.kind = kind;
  for (const line of lines) line.node.classList.toggle("hidden", !!kind && !line.kinds.includes(kind));
  for (const change of changes) {
    change.out = !!kind && kind !== "n" && change.kind !== kind;
    change.node.disabled = change.out;
  }
  if (current >= 0 && !shown(changes[current])) changes[current].node.classList.remove("current");
  for (const button of document.querySelectorAll("#filters button"))
    button.setAttribute("aria-pressed", button.dataset.kind === kind ? "true" : "false");
}

function summarize() {
  const count = (kind) => lines.filter((l) => l.kinds.includes(kind)).length;
  const undone = changes.filter((c) => c.undone).length;
  const changedLines = lines.filter((l) => l.changes.length).length;
  const summary = document.getElementById("summary");
  summary.textContent = "";
  summary.append(el("b", "", String(changedLines)), " lines changed, ",
    el("b", "", String(changes.length)), " changes, ", el("b", "", String(undone)), " undone. ",
    el("span", "news"));
  summary.lastChild.id = "news";
  for (const button of document.querySelectorAll("#filters button")) {
    const kind = button.dataset.kind;
    button.textContent = kind ? KINDS[kind][0] + " " + count(kind) : "All";
  }
}

function makeFilters(hasLog) {
  const group = document.getElementById("filters");
  const cut = changes.some((c) => c.kind === "z");
  for (const kind of ["", "s", "a", "i", "n"].concat(cut ? ["z"] : [])) {
    const button = el("button");
    button.type = "button";
    button.dataset.kind = kind;
    if (kind) button.title = "lines with a change that is " + KINDS[kind][1];
    button.disabled = !hasLog && !!kind && kind !== "z";
    button.onclick = () => applyFilter(filter.kind === kind ? "" : kind);
    group.append(button);
  }
}

// A click leaves the change where it is, so that a second click redoes it;
// the keys bring it to the middle of the window.
function focusChange(index, scroll) {
  if (current >= 0) changes[current].node.classList.remove("current");
  current = index;
  const node = changes[current].node;
  node.classList.add("current");
  node.focus({ preventScroll: true });
  if (scroll) node.scrollIntoView({ block: "center" });
}

// The next change shown in the direction `step`, from the current one.
function move(step) {
  for (let k = current + step; k >= 0 && k < changes.length; k += step) {
    if (shown(changes[k])) return focusChange(k, true);
  }
}

function toggle(change) {
  act((change.undone ? "redo '" : "undo '") + plain(change.decode(change.seg[0])) + "'",
    [change], !change.undone);
}

function onKey(event) {
  if (event.ctrlKey || event.metaKey || event.altKey || event.target.matches("input")) return;
  const focused = changes.findIndex((c) => c.node === document.activeElement);
  if (focused >= 0 && focused !== current) focusChange(focused, false);
  // Space keeps its own meaning on the page's other buttons.
  if (event.key === " " && focused < 0 && event.target.matches("button")) return;
  if (event.key === "j") move(1);
  else if (event.key === "k") move(-1);
  else if (event.key === " " || event.key === "u") {
    // Never a change the filter hides.
    if (current >= 0 && shown(changes[current])) toggle(changes[current]);
  } else return;
  event.preventDefault();
}

// Every act goes through here, so that the last can be taken back.
function act(what, some, undone) {
  const saved = some.filter((c) => c.undone !== undone).map((c) => [c, c.undone]);
  if (!saved.length) return;
  history.push({ what, saved });
  saved.forEach(([c]) => setUndone(c, undone));
  tell(what + ": " + saved.length + (saved.length === 1 ? " change" : " changes") + ".");
}

function takeBack() {
  const last = history.pop();
  if (!last) return;
  last.saved.forEach(([c, undone]) => setUndone(c, undone));
  tell("Taken back: " + last.what + ".");
}

function tell(news) {
  summarize();
  const button = document.getElementById("take-back");
  button.disabled = !history.length;
  button.title = history.length ? "take back: " + history[history.length - 1].what : "";
  document.getElementById("news").textContent = news;
}

function choicesMade() {
  return changes.some((c) => c.undone);
}

// The sticky bar's height, for what is scrolled to or focused to stay clear of it.
function barHeight() {
  const bar = document.getElementById("bar");
  return getComputedStyle(bar).position === "sticky" ? bar.getBoundingClientRect().height : 0;
}

function keepFocusClear(event) {
  if (event.target.closest("#bar")) return;
  requestAnimationFrame(() => {
    const top = event.target.getBoundingClientRect().top, clear = barHeight() + 8;
    if (top < clear) window.scrollBy(0, top - clear);
  });
}

function main() {
  const files = document.getElementById("files");
  const sections = document.createDocumentFragment();
  data.files.forEach((file, k) => sections.append(fileSection(file, k + 1)));
  if (data.names.length) sections.append(namesSection(data.names));
  files.append(sections);
  makeFilters(data.files.some((f) => f.hasLog));
  applyFilter("");
  summarize();
  files.addEventListener("click", (event) => {
    const node = event.target.closest(".change");
    if (!node) return;
    const index = changes.findIndex((c) => c.node === node);
    focusChange(index, false);
    toggle(changes[index]);
  });
  document.addEventListener("keydown", onKey);
  document.addEventListener("focusin", keepFocusClear);
  const root = document.documentElement;
  new ResizeObserver(() => root.style.setProperty("--bar-h", barHeight() + "px"))
    .observe(document.getElementById("bar"));
  window.addEventListener("beforeunload", (event) => {
    if (!choicesMade()) return;
    event.preventDefault();
    event.returnValue = "";
  });
  document.getElementById("undo-shown").onclick = () => act("undo all shown", changes.filter(shown), true);
  document.getElementById("redo-shown").onclick = () => act("redo all shown", changes.filter(shown), false);
  document.getElementById("take-back").onclick = takeBack;
  if (data.files.length > 1) document.title = "Unjam review of " + data.files.length + " files";
  else if (data.files.length) document.title = "Unjam review of " + plain(data.files[0].decode(data.files[0].name));
  document.body.dataset.renderMs = Math.round(performance.now() - started);
}

main();
