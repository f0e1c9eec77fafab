#!/usr/bin/python3
"""Writes the English catalogue of a Qt Linguist file as a C++ table for
console/texts.h: ts_to_cpp.py translations/dolvane_en.ts out.cpp. Only finished
translations go in; a text without one shows its Chinese source."""
import sys
import xml.etree.ElementTree as ET


def literal(text):
    out = []
    for ch in text:
        if ch == '\\':
            out.append('\\\\')
        elif ch == '"':
            out.append('\\"')
        elif ch == '\n':
            out.append('\\n')
        elif ch == '\t':
            out.append('\\t')
        elif ord(ch) < 0x20:
            out.append('\\%03o' % ord(ch))
        else:
            out.append(ch)
    return '"' + ''.join(out) + '"'


def text_of(element):
    """The element's text with the control characters lupdate writes as
    <byte value="xd"/> (a carriage return) put back."""
    if element is None:
        return ''
    parts = [element.text or '']
    for child in element:
        if child.tag == 'byte':
            value = child.get('value', '')
            parts.append(chr(int(value[1:], 16) if value.startswith('x') else int(value)))
        parts.append(child.tail or '')
    return ''.join(parts)


def entries(path):
    for context in ET.parse(path).getroot().iter('context'):
        name = context.findtext('name') or ''
        for message in context.iter('message'):
            translation = message.find('translation')
            if translation is None or translation.get('type') in ('unfinished', 'vanished', 'obsolete'):
                continue
            english = text_of(translation)
            if english:
                yield name, text_of(message.find('source')), english


def main(ts_path, cpp_path):
    rows = sorted(set(entries(ts_path)))
    lines = ['// Generated from %s by scripts/ts_to_cpp.py: edit the .ts file.' % ts_path.split('/')[-1],
             '#include "console/texts.h"', '',
             'const Translation kEnglishTranslations[] = {']
    lines += ['    {%s, %s, %s},' % (literal(c), literal(s), literal(t)) for c, s, t in rows]
    if not rows:
        lines.append('    {"", "", ""},')
    lines += ['};', 'const size_t kEnglishTranslationCount = %d;' % len(rows), '']
    text = '\n'.join(lines)
    try:
        with open(cpp_path, encoding='utf-8') as old:
            if old.read() == text:
                return  # unchanged: nothing to recompile
    except OSError:
        pass
    with open(cpp_path, 'w', encoding='utf-8') as out:
        out.write(text)


if __name__ == '__main__':
    main(sys.argv[1], sys.argv[2])
