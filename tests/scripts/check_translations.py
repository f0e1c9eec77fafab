#!/usr/bin/python3
"""The English catalogue is whole and safe to format with:
- every text of src/ is in translations/dolvane_en.ts (lupdate into a copy adds nothing);
- no translation is missing or unfinished;
- each keeps its source's printf conversions, in order, and its line ends;
- lrelease compiles it without a complaint.
check_translations.py SOURCE_DIR"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

root = sys.argv[1]
sys.path.insert(0, os.path.join(root, 'scripts'))
from ts_to_cpp import text_of  # noqa: E402

TS = os.path.join(root, 'translations', 'dolvane_en.ts')
BIN = '/usr/lib/qt6/bin'
CONVERSION = re.compile(r'%[-+ #0]*(?:\*|\d+)?(?:\.(?:\*|\d+))?(?:hh|h|ll|l|z|j|t|L)?[diouxXeEfgGcsp%]')
LINE_END = re.compile(r'\r\n|\n|\r')


def messages(path):
    for context in ET.parse(path).getroot().iter('context'):
        name = context.findtext('name')
        for message in context.iter('message'):
            translation = message.find('translation')
            if translation is not None and translation.get('type') in ('vanished', 'obsolete'):
                continue
            yield name, text_of(message.find('source')), translation


def edges(text):
    """The line ends and blanks a text starts and ends with."""
    return re.match(r'[\s]*', text).group(0), re.search(r'[\s]*$', text).group(0)


def problems():
    found = []
    with tempfile.TemporaryDirectory() as tmp:
        copy = os.path.join(tmp, 'dolvane_en.ts')
        shutil.copy(TS, copy)
        update = subprocess.run(
            [BIN + '/lupdate', '-silent', '-locations', 'none', '-tr-function-alias',
             'translate+=Tr,QT_TRANSLATE_NOOP+=TrNoop,QT_TRANSLATE_NOOP+=TrMark', '-extensions', 'cpp,h',
             os.path.join(root, 'src'), '-ts', copy], capture_output=True, text=True)
        if update.returncode != 0:
            found.append('lupdate failed: ' + update.stderr)
        known = {(c, s) for c, s, _ in messages(TS)}
        for context, source, _ in messages(copy):
            if (context, source) not in known:
                found.append('not in the catalogue (run scripts/update-translations.sh): %s %r' % (context, source))
        release = subprocess.run([BIN + '/lrelease', TS, '-qm', os.path.join(tmp, 'en.qm')],
                                 capture_output=True, text=True)
        report = release.stdout + release.stderr
        if release.returncode != 0 or ' 0 unfinished' not in report or 'arning' in report:
            found.append('lrelease: ' + report.strip())
    for context, source, translation in messages(TS):
        where = '%s %r' % (context, source)
        english = text_of(translation)
        if translation is None or translation.get('type') == 'unfinished' or not english:
            found.append('no English: ' + where)
            continue
        if CONVERSION.findall(source) != CONVERSION.findall(english):
            found.append('conversions %s, English %s: %s' % (CONVERSION.findall(source),
                                                              CONVERSION.findall(english), where))
        if LINE_END.findall(source) != LINE_END.findall(english) or \
                [e.replace(' ', '') for e in edges(source)] != [e.replace(' ', '') for e in edges(english)]:
            found.append('line ends differ: %s -> %r' % (where, english))
    return found


if __name__ == '__main__':
    listed = problems()
    for line in listed:
        print(line)
    sys.exit(1 if listed else 0)
