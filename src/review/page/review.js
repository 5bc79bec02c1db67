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
};
const filter = { kind: "" };

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
// cut a character, as marks other than '=' fall on ASCII bytes only.
function showMarked(node, change, decode) {
  const [before, after, marks] = change;
  let b = 0, a = 0, k = 0;
  while (k < marks.length) {
    let end = k;
    while (end < marks.length && marks[end] === marks[k]) end++;
    const n = end - k, mark = marks[k];
    if (mark === "=") {
      node.append(decode(after.substr(a, n)));
    } else if (mark === "+") {
      for (let j = 0; j < n; j++) {
        const ins = el("span", "ins", after[a + j] === " " ? "\u00b7" : decode(after[a + j]));
        ins.title = "blank inserted";
        node.append(ins);
      }
    } else {
      node.append(el("del", "", decode(before.substr(b, n))));
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
    node.append(change.decode(change.seg[0]));
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
  if (line.cue) head.append(el("span", "", "cue " + file.decode(line.cue)));
  if (line.time) head.append(el("span", "", file.decode(line.time)));
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
  for (const message of line.log) list.append(el("li", "", line.n + ": " + file.decode(message)));
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
      before.append(file.decode(seg));
      after.append(file.decode(seg));
      return;
    }
    before.append(el("span", "was", file.decode(seg[0])));
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
  undoLine.onclick = () => setAll(mine, true);
  redoLine.onclick = () => setAll(mine, false);
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
  node.append(lineHead(file, line, ["n"]), textRow("text", el("div", "body", file.decode(line.text))));
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
  const save = el("button", "download", "Download " + file.decode(file.name));
  save.type = "button";
  save.onclick = () => download(file.decode(file.name), reviewedBytes(file));
  head.append(el("h2", "", file.decode(file.name)), save);
  section.append(head);
  const source = "repair of " + file.decode(file.before) +
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
    label.append(box, " ", decoderFor({ after: name }).decode(bytesOf(name)));
    item.append(label);
    list.append(item);
    return box;
  });
  save.onclick = () => download("words2", new Blob(boxes.filter((b) => b.checked).map(
    (b) => bytesOf(b.dataset.name + "\n")), { type: "application/octet-stream" }));
  section.append(list);
  return section;
}

function shown(change) {
  return !change.entry.node.classList.contains("hidden");
}

function applyFilter(kind) {
  filter.kind = kind;
  for (const line of lines) line.node.classList.toggle("hidden", !!kind && !line.kinds.includes(kind));
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
    el("b", "", String(changes.length)), " changes, ", el("b", "", String(undone)), " undone.");
  for (const button of document.querySelectorAll("#filters button")) {
    const kind = button.dataset.kind;
    button.textContent = kind ? KINDS[kind][0] + " " + count(kind) : "All";
  }
}

function makeFilters(hasLog) {
  const group = document.getElementById("filters");
  for (const kind of ["", "s", "a", "i", "n"]) {
    const button = el("button");
    button.type = "button";
    button.dataset.kind = kind;
    if (kind) button.title = "lines with a change that is " + KINDS[kind][1];
    button.disabled = !hasLog && !!kind;
    button.onclick = () => applyFilter(filter.kind === kind ? "" : kind);
    group.append(button);
  }
}

function focusChange(index) {
  if (current >= 0) changes[current].node.classList.remove("current");
  current = index;
  const node = changes[current].node;
  node.classList.add("current");
  node.focus({ preventScroll: true });
  node.scrollIntoView({ block: "center" });
}

// The next change shown in the direction `step`, from the current one.
function move(step) {
  for (let k = current + step; k >= 0 && k < changes.length; k += step) {
    if (shown(changes[k])) return focusChange(k);
  }
}

function toggle(change) {
  setUndone(change, !change.undone);
  summarize();
}

function onKey(event) {
  if (event.ctrlKey || event.metaKey || event.altKey || event.target.matches("input")) return;
  const focused = changes.findIndex((c) => c.node === document.activeElement);
  if (focused >= 0 && focused !== current) focusChange(focused);
  // Space keeps its own meaning on the page's other buttons.
  if (event.key === " " && focused < 0 && event.target.matches("button")) return;
  if (event.key === "j") move(1);
  else if (event.key === "k") move(-1);
  else if ((event.key === " " || event.key === "u") && current >= 0) toggle(changes[current]);
  else return;
  event.preventDefault();
}

function setAll(some, undone) {
  some.forEach((c) => setUndone(c, undone));
  summarize();
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
    focusChange(index);
    toggle(changes[index]);
  });
  document.addEventListener("keydown", onKey);
  document.getElementById("undo-shown").onclick = () => setAll(changes.filter(shown), true);
  document.getElementById("redo-shown").onclick = () => setAll(changes.filter(shown), false);
  if (data.files.length > 1) document.title = "Unjam review of " + data.files.length + " files";
  else if (data.files.length) document.title = "Unjam review of " + data.files[0].decode(data.files[0].name);
  document.body.dataset.renderMs = Math.round(performance.now() - started);
}

main();
