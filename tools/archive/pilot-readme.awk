# Turns the pilot's guide (docs/pilots-guide.md) into README.txt for the
# release archive: plain text with Windows line ends, wrapped at 100
# characters. Headings are underlined, paragraphs are filled, tables become
# aligned columns whose last column wraps, code blocks and indented lines keep
# their lines, and the inline marks (`code`, **bold**, [links](...)) go, as do
# the pictures with their captions and <!-- comments -->.
#
# Usage: awk -f pilot-readme.awk docs/pilots-guide.md > README.txt

BEGIN { width = 100 }

function out(line) {
    sub(/[ \t]+$/, "", line)
    if (line == "" && (lastBlank || !started)) return
    printf "%s\r\n", line
    lastBlank = line == ""
    started = 1
}

function plain(text,    at) {
    gsub(/`/, "", text)
    gsub(/\*\*/, "", text)
    while (match(text, /\[[^]]*\]\([^)]*\)/)) {
        at = index(substr(text, RSTART), "](")
        text = substr(text, 1, RSTART - 1) substr(text, RSTART + 1, at - 2) substr(text, RSTART + RLENGTH)
    }
    return text
}

# The title gets a line above too.
function underline(text, mark, above,    line) {
    line = text
    gsub(/./, mark, line)
    if (above) out(line)
    out(text)
    out(line)
}

# The cells of a table row, trimmed and plain, into cell[1..n]; returns n.
function splitRow(row,    n, i, count, parts) {
    sub(/^[ \t]*\|/, "", row)
    sub(/\|[ \t]*$/, "", row)
    count = split(row, parts, "|")
    for (i = 1; i <= count; i++) {
        cell[i] = plain(parts[i])
        sub(/^[ \t]+/, "", cell[i])
        sub(/[ \t]+$/, "", cell[i])
    }
    return count
}

# Prints `text` after `lead`, filled to `width`, its further lines indented as far as `lead`.
function fill(lead, text,    pad, words, count, i, line) {
    pad = lead
    gsub(/./, " ", pad)
    count = split(text, words, " ")
    line = lead
    for (i = 1; i <= count; i++) {
        if (length(line) > length(lead) && length(line) + 1 + length(words[i]) > width) {
            out(line)
            line = pad
        }
        line = line (length(line) > length(lead) ? " " : "") words[i]
    }
    out(line)
}

function flushParagraph() {
    if (paragraph != "") fill("", paragraph)
    paragraph = ""
}

# Prints the buffered table: every column but the last padded to its widest
# cell, the last filled under itself.
function flushTable(    r, c, n, lead, line) {
    for (r = 1; r <= rows; r++) {
        n = splitRow(table[r])
        for (c = 1; c < n; c++) {
            if (length(cell[c]) > wide[c]) wide[c] = length(cell[c])
        }
    }
    for (r = 1; r <= rows; r++) {
        n = splitRow(table[r])
        lead = ""
        for (c = 1; c < n; c++) lead = lead sprintf("%-" wide[c] "s  ", cell[c])
        fill(lead, cell[n])
        if (r == 1) {
            line = lead cell[n]
            gsub(/./, "-", line)
            out(line)
        }
    }
    rows = 0
    for (c in wide) delete wide[c]
}

# A comment, on one line or several, is a note for the guide's writers.
/^<!--/ { comment = 1 }
comment { if (/-->/) comment = 0; next }

/^\|/ {
    flushParagraph()
    if ($0 !~ /^\|[-| :]+\|[ \t]*$/) table[++rows] = $0
    next
}
rows > 0 { flushTable() }

/^```/ { flushParagraph(); code = !code; next }
code { out("    " $0); next }

/^!\[/ { next }
/^\*[^*].*\*$/ { next }
/^$/ || /^    / { flushParagraph(); out(plain($0)); next }
/^#/ { flushParagraph() }
/^# / { underline(plain(substr($0, 3)), "=", 1); next }
/^## / { underline(plain(substr($0, 4)), "="); next }
/^### / { underline(plain(substr($0, 5)), "-"); next }
{ paragraph = paragraph (paragraph == "" ? "" : " ") plain($0) }

END {
    flushParagraph()
    if (rows > 0) flushTable()
}
