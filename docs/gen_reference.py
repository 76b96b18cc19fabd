#!/usr/bin/env python3
"""Generates docs/reference.md, the function reference, from the public header's comments.

The header is the one source: its banners and "==== Family ====" markers give the sections, the
comment standing before a declaration documents it, and a comment followed by a blank line
documents the section it stands in. A function's comment has a fixed shape: what it does, then
optionally "Module:" (where it is defined, when its section does not say), "Fails:" (one error a
line, each "<id> (<module>) <condition>", a line ending in ';' closing an error) and "Leaves:"
(what a failure leaves), in that order; "Fails:" and "Leaves:" come together. Each part becomes a
line or a list of its own in the reference. Run with --check to compare with the committed
reference and to check every comment's shape.

    gen_reference.py <rk_basekit.h> <reference.md> [--check [--exports exports.txt]]

With --exports, the check also fails when a listed function is not declared and documented.
"""
import re
import sys

BANNER_RULE = re.compile(r"^/?\s*\*?\s*={20,}")
MARKER = re.compile(r"^/\* ==== (.+?) ==== \*/$")
MEMBER = re.compile(r"^/\* ---- (.+?) ---- \*/$")
PRELUDE_END = "#ifdef __cplusplus"
TAGS = ("Module:", "Fails:", "Leaves:")
FAILURE = re.compile(r"^\d+(?:(?:, | or )\d+)* \(")


def comment_lines(lines):
    """The non-empty lines of a /* ... */ comment given as its source lines, without the markers."""
    text = []
    for line in lines:
        line = line.strip()
        line = re.sub(r"^/\*+", "", line)
        line = re.sub(r"\*+/$", "", line)
        line = re.sub(r"^\*(?!/)", "", line)
        text.append(line.strip())
    return [t for t in text if t]


def comment_text(lines):
    """The text of a /* ... */ comment given as its source lines."""
    return " ".join(comment_lines(lines))


class Doc:
    """A function's comment taken apart: what it does, where it is defined, how it fails and what a
    failure leaves. `problems` lists the ways the comment breaks the shape."""

    def __init__(self, lines):
        self.summary = []
        self.module = []
        self.fails = []
        self.leaves = []
        self.problems = []
        seen = []
        part = self.summary
        for line in lines:
            tag = next((t for t in TAGS if line.startswith(t)), None)
            if tag:
                if tag in seen or any(TAGS.index(s) > TAGS.index(tag) for s in seen):
                    self.problems.append(f"'{tag}' repeated or out of order")
                seen.append(tag)
                part = {"Module:": self.module, "Fails:": self.fails, "Leaves:": self.leaves}[tag]
                line = line[len(tag):].strip()
                if part is self.fails:
                    part.append(line)
                    continue
            elif part is self.fails and self.fails[-1].endswith(";"):
                self.fails.append(line)
                continue
            elif part is self.fails:
                self.fails[-1] += " " + line
                continue
            part.append(line)
        if not self.summary:
            self.problems.append("nothing says what it does")
        if bool(self.fails) != bool(self.leaves):
            self.problems.append("'Fails:' and 'Leaves:' come together")
        for item in self.fails:
            if not FAILURE.match(item):
                self.problems.append(f"a failure that does not start with its id and module: '{item[:40]}'")

    def text(self, part):
        return " ".join(part)

    def failures(self):
        return [item.rstrip(";.") for item in self.fails]

    def __bool__(self):
        return bool(self.summary)


def parse(header_lines):
    """Yields ('section', level, title), ('note', text), ('code', text, doc) and ('function', decl, doc)."""
    i = 0
    n = len(header_lines)
    started = False
    pending = None
    while i < n:
        line = header_lines[i].rstrip("\n")
        stripped = line.strip()
        if not started:
            # Everything before the first banner of the body (the file comment, includes and the
            # export macro) is left out; the file comment becomes the introduction.
            if stripped.startswith("extern \"C\"") or stripped == PRELUDE_END:
                started = True
            i += 1
            continue
        if stripped.startswith("/* ====") and BANNER_RULE.match(stripped) and not MARKER.match(stripped):
            title = []
            i += 1
            while i < n and not BANNER_RULE.match(header_lines[i].strip()):
                title.append(header_lines[i].strip().lstrip("*").strip())
                i += 1
            i += 1
            pending = None
            yield ("section", 2, " ".join(t for t in title if t))
            continue
        m = MARKER.match(stripped)
        if m:
            pending = None
            yield ("section", 3, m.group(1))
            i += 1
            continue
        m = MEMBER.match(stripped)
        if m:
            pending = None
            yield ("section", 4, m.group(1))
            i += 1
            continue
        if stripped.startswith("/*"):
            block = [line]
            while "*/" not in header_lines[i]:
                i += 1
                block.append(header_lines[i].rstrip("\n"))
            i += 1
            following = header_lines[i].strip() if i < n else ""
            if following == "":
                yield ("note", comment_text(block))
                pending = None
            else:
                pending = block
            continue
        if stripped.startswith("RK_API"):
            decl = [stripped]
            while not decl[-1].endswith(";"):
                i += 1
                decl.append(header_lines[i].strip())
            i += 1
            text = " ".join(decl)
            text = re.sub(r"^RK_API\s+", "", text)
            text = re.sub(r"\s+", " ", text).replace("( ", "(")
            yield ("function", text, Doc(comment_lines(pending or [])))
            pending = None
            continue
        if stripped.startswith(("typedef", "enum", "#define", "struct", "union")):
            block = [line]
            depth = line.count("{") - line.count("}")
            while (depth > 0 or not block[-1].rstrip().endswith((";", ")")) and not block[0].startswith("#define")) and i + 1 < n:
                if block[0].startswith("#define"):
                    break
                i += 1
                block.append(header_lines[i].rstrip("\n"))
                depth += header_lines[i].count("{") - header_lines[i].count("}")
                if depth == 0 and block[-1].rstrip().endswith(";"):
                    break
            i += 1
            # A typedef written right under its record belongs with it.
            while i < n and block[0].startswith("struct") and header_lines[i].startswith("typedef"):
                block.append(header_lines[i].rstrip("\n"))
                i += 1
            yield ("code", "\n".join(block), comment_text(pending) if pending else "")
            pending = None
            continue
        if stripped == "" or stripped.startswith("#"):
            i += 1
            continue
        i += 1


def intro(header_lines):
    """The header's opening comment, as paragraphs."""
    out = []
    for line in header_lines[1:]:
        if line.strip().startswith("*/"):
            break
        out.append(re.sub(r"^\s*\*\s?", "", line.rstrip("\n")))
    return "\n".join(out).strip()


def error_code(failure):
    """A failure with its ids and module set as code, so that they stand out: `6 (rk_vec)` when ..."""
    return re.sub(r"^(\d+(?:(?:, | or )\d+)* \([^)]*\))", r"`\1`", failure)


def function_name(decl):
    return re.search(r"(\w+)\s*[(\[;]", decl).group(1)


def slug(title):
    return re.sub(r"[^a-z0-9 -]", "", title.lower()).replace(" ", "-")


def render(header_lines):
    items = list(parse(header_lines))
    out = ["# rkbasekit function reference", "",
           "Generated from `include/rk_basekit.h` by `docs/gen_reference.py`; do not edit by hand.", "",
           intro(header_lines), "", "## Contents", ""]
    for kind, *rest in items:
        if kind == "section":
            level, title = rest
            if level < 4:
                indent = "  " if level == 3 else ""
                out.append(f"{indent}- [{title}](#{slug(title)})")
    count = sum(1 for item in items if item[0] == "function" and not item[1].startswith("extern"))
    out += ["", f"{count} functions.", ""]
    for kind, *rest in items:
        if kind == "section":
            level, title = rest
            out += ["#" * level + " " + title, ""]
        elif kind == "note":
            out += [rest[0], ""]
        elif kind == "code":
            code, doc = rest
            if doc:
                out += [doc, ""]
            out += ["```c", code, "```", ""]
        elif kind == "function":
            out += render_function(*rest)
    return "\n".join(out).rstrip() + "\n"


def render_function(decl, doc):
    """A function as a list entry: its declaration, what it does, and each part of its comment on
    lines of its own, the failures as a list."""
    name = function_name(decl)
    out = [f"- <a id=\"{name.lower()}\"></a>`{decl}`", f"  {doc.text(doc.summary)}" if doc else "  (undocumented)"]
    if doc.module:
        out += ["", f"  *Module:* {doc.text(doc.module)}"]
    if doc.fails:
        out += ["", "  **Fails:**", ""] + [f"  - {error_code(failure)}" for failure in doc.failures()]
        out += ["", f"  **Leaves:** {doc.text(doc.leaves)}"]
    return out + [""]


def main(argv):
    if len(argv) < 3:
        print(__doc__)
        return 2
    with open(argv[1], encoding="utf-8") as f:
        header_lines = f.readlines()
    text = render(header_lines)
    if "--check" in argv[3:]:
        status = 0
        with open(argv[2], encoding="utf-8") as f:
            if f.read() != text:
                print(f"{argv[2]} is out of date: run docs/gen_reference.py {argv[1]} {argv[2]}")
                status = 1
        for item in parse(header_lines):
            if item[0] == "function":
                for problem in item[2].problems:
                    print(f"{function_name(item[1])}: {problem}")
                    status = 1
        if "--exports" in argv[3:]:
            documented = {function_name(item[1])
                          for item in parse(header_lines) if item[0] == "function" and item[2]}
            with open(argv[argv.index("--exports") + 1], encoding="utf-8") as f:
                exported = [line.strip() for line in f if line.strip()]
            for name in exported:
                if name not in documented:
                    print(f"{name} is exported but not declared and documented in {argv[1]}")
                    status = 1
        return status
    with open(argv[2], "w", encoding="utf-8") as f:
        f.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
