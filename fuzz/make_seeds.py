#!/usr/bin/env python3
"""Writes the hand-made seed inputs of the fuzz corpus (seed-*) into
fuzz/corpus/<kind>/: whole reports as a caller writes them, in the byte
format that fuzz/session.cpp decodes."""
import os
import sys

HEADING, PARAGRAPH, LIST, FIGURE, PAGE_BREAK, TOC_LINE, BEGIN_TOC, END_TOC, TOC_PASS, \
    ADD_TABLE, DELETE_TABLE, ADD_COLUMN, TABLE_COLOUR, WRAPPING, ABBREVIATIONS, NOTE, \
    BEGIN_TABLE, BEGIN_RECORD, INSERT_INT, INSERT_REAL, INSERT_TEXT, INSERT_OTHER, \
    END_RECORD, END_TABLE, CLOSE, RECORDS, CHANGE_COLUMN, COPY_TABLE, SECOND = range(29)
# SECOND is followed by 0 (reset the heading numbers), 1 (build or delete a
# second device) or 2 (a table of the second device: slot, name, description).

INTEGER, REAL, STRING = 1, 2, 3  # integer() bytes for the column types 0, 1, 2
FIXED, SCIENTIFIC, GENERAL = 1, 2, 3  # and for the formats


def text(s):
    b = s.encode('utf-8') if isinstance(s, str) else s
    assert len(b) < 200
    return bytes([len(b)]) + b


def level(n):
    """integer() of a small value -1 to 6."""
    return bytes([n + 1])


def identity():
    return (text('BeamCalc') + text('Plane frame analysis') + text('2.4.1') +
            text('01-NOV-2026') + text('Footbridge') + text('Two spans') + text('bridge.mdl') +
            text('JD') + text('05-DEC-2026'))


def table(slot, name, description, notes=()):
    out = bytes([ADD_TABLE, slot]) + text(name) + text(description) + level(2)
    out += bytes([len(notes)]) + b''.join(text(n) for n in notes)
    return out


def column(slot, kind, name, description, unit=None, width=None):
    changes = (1 if unit else 0) | (2 if width else 0)
    out = bytes([ADD_COLUMN, slot, kind]) + text(name) + text(description) + bytes([changes])
    if unit:
        out += text(unit[0]) + bytes([9, unit[1]])  # real(): a small value n / 8
    if width:
        out += bytes([width[0], width[1], width[2]])
    return out


def records(slot, count, many=False):
    return bytes([RECORDS, slot, count, 1 if many else 0])


def forces_table(slot):
    return (table(slot, 'FORCES', 'Element end forces', ['Positive normal force is tension.']) +
            column(slot, INTEGER, 'Elem', 'Element number', width=(12, 0, FIXED)) +
            column(slot, REAL, 'N', 'Normal force', unit=('kN', 8), width=(10, 2, FIXED)) +
            column(slot, REAL, 'M', 'Moment', unit=('kNm', 4), width=(12, 3, SCIENTIFIC)) +
            column(slot, STRING, 'Label', 'Element label'))


SEEDS = {
    'report': (bytes([3]) + identity() + bytes([HEADING]) + text('Results') + level(1) +
               bytes([PARAGRAPH]) + text('Linear static analysis, ULS-1 & SLS <2>.') +
               forces_table(0) + bytes([BEGIN_TABLE, 0]) + records(0, 40, many=True) +
               bytes([END_TABLE, 0, ABBREVIATIONS, 0, DELETE_TABLE, 0]) +
               bytes([LIST]) + bytes([4]) + text('a') + text('b') + text('c') + text('d') +
               level(2) + bytes([FIGURE, 0]) + text('Figure 1') + bytes([PAGE_BREAK])),
    'contents': (bytes([2]) + identity() + bytes([BEGIN_TOC, TOC_PASS]) +
                 bytes([HEADING]) + text('Model') + level(1) +
                 bytes([HEADING]) + text('Nodes') + level(2) +
                 bytes([HEADING]) + text('Results') + level(1) +
                 bytes([TOC_PASS, END_TOC]) +
                 bytes([HEADING]) + text('Model') + level(1) +
                 bytes([HEADING]) + text('Nodes') + level(2) +
                 bytes([HEADING]) + text('Results') + level(1) + bytes([CLOSE])),
    'cells': (bytes([1]) + identity() + forces_table(1) + bytes([BEGIN_TABLE, 1]) +
              bytes([BEGIN_RECORD, 1]) + bytes([INSERT_INT, 1]) + level(0) + bytes([5, 0]) +
              bytes([INSERT_REAL, 1]) + level(1) + bytes([0, 0]) +
              bytes([INSERT_REAL, 1]) + level(2) + bytes([1, 1]) + text('anchor') +
              bytes([INSERT_TEXT, 1]) + level(3) + bytes([0xF4, 0]) +
              bytes([END_RECORD, 1, BEGIN_RECORD, 1]) +
              bytes([INSERT_TEXT, 1]) + level(3) + bytes([0xE0, 0]) +
              bytes([INSERT_OTHER, 1]) + level(0) + bytes([0xA5, 1]) +
              bytes([END_RECORD, 1, END_TABLE, 1])),
    'interleaved': (bytes([3]) + identity() + forces_table(0) + forces_table(1) +
                    bytes([BEGIN_TABLE, 0, BEGIN_TABLE, 1]) + records(0, 3) + records(1, 3) +
                    bytes([BEGIN_RECORD, 0, PARAGRAPH]) + text('between') +
                    bytes([END_RECORD, 0]) + records(0, 2) +
                    bytes([COPY_TABLE, 0, 2, 1, WRAPPING, 2, 3, 2]) + records(2, 2) +
                    bytes([END_TABLE, 1, DELETE_TABLE, 0, END_TABLE, 2])),
    # Widths and decimals at the edges of 32 bits (size() bytes 162, 163,
    # 164), folding at the edges of int (integer() bytes 208, 209).
    'extremes': (bytes([1]) + identity() + table(0, 'EDGES', 'Edges') +
                 column(0, INTEGER, 'I', 'i', width=(162, 164, FIXED)) +
                 column(0, REAL, 'R', 'r', width=(163, 162, SCIENTIFIC)) +
                 column(0, REAL, 'F', 'f', width=(164, 162, FIXED)) +
                 column(0, STRING, 'S', 's', width=(162, 162, GENERAL)) +
                 bytes([WRAPPING, 0, 209, 208, BEGIN_TABLE, 0]) +
                 bytes([BEGIN_RECORD, 0, INSERT_REAL, 0]) + level(1) + bytes([4, 0]) +
                 bytes([INSERT_REAL, 0]) + level(2) + bytes([6, 0]) +
                 bytes([INSERT_INT, 0]) + level(0) + bytes([208, 0]) +
                 bytes([INSERT_TEXT, 0]) + level(3) + bytes([0xC8, 4]) + b'wide' + bytes([0]) +
                 bytes([END_RECORD, 0]) + records(0, 3) + bytes([END_TABLE, 0]) +
                 bytes([HEADING]) + text('Deep') + bytes([208])),
    # A second device of the kind, with a table of its own, between the
    # records of the first one's table.
    'second': (bytes([3]) + identity() + forces_table(0) + bytes([BEGIN_TABLE, 0]) +
               records(0, 2) + bytes([SECOND, 1, SECOND, 2, 1]) + text('OTHER') + text('Other') +
               column(1, INTEGER, 'K', 'k') + bytes([BEGIN_TABLE, 1]) + records(1, 2) +
               records(0, 2) + bytes([END_TABLE, 1, END_TABLE, 0, SECOND, 1]) + records(0, 1) +
               bytes([CLOSE])),
    # A record of 36 columns, wider than a print line, with names, values and
    # descriptions holding the separator and the quote.
    'wide': (bytes([2]) + identity() + table(0, 'WIDE', 'Wide; "quoted"') +
             b''.join(column(0, STRING if c % 2 else REAL, 'C%d;"' % c, 'd;"%d' % c,
                             width=(12, 3, FIXED)) for c in range(36)) +
             bytes([BEGIN_TABLE, 0, BEGIN_RECORD, 0, INSERT_TEXT, 0]) + level(1) +
             text('pier "A"; west') + bytes([0, END_RECORD, 0]) + records(0, 3) +
             bytes([END_TABLE, 0])),
    'empty': bytes([3]) + identity() + table(0, 'EMPTY', 'Nothing') +
             column(0, STRING, 'A', 'a') + bytes([BEGIN_TABLE, 0, END_TABLE, 0]),
}


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'corpus')
    for kind in ('html', 'xml_ss', 'xml_wp', 'text', 'text_csv', 'xlsx', 'docx'):
        os.makedirs(os.path.join(root, kind), exist_ok=True)
        for name, data in SEEDS.items():
            with open(os.path.join(root, kind, 'seed-' + name), 'wb') as f:
                f.write(data)
    return 0


if __name__ == '__main__':
    sys.exit(main())
