#!/usr/bin/python3
"""The script a user would otherwise write: a DXL view's documents to CSV with lxml.

    lxml_export.py DATABASE.xml VIEW-NAME OUT.csv

Reads the view's columns (item names), then each document's text items in file order, and
writes one record per document in code page 932: fields joined by commas, quoted (quotes
doubled) when they hold a comma, a quote or a line break, each record ended by CR LF.
"""
import sys

from lxml import etree

DXL = '{http://www.lotus.com/dxl}'


def field(text):
    if ',' in text or '"' in text or '\n' in text:
        return '"' + text.replace('"', '""') + '"'
    return text


def main(database, view_name, out_path):
    columns = None
    with open(out_path, 'w', encoding='cp932', newline='') as out:
        for _, element in etree.iterparse(database, events=('end',), tag=(DXL + 'view', DXL + 'document')):
            if element.tag == DXL + 'view':
                if element.get('name') == view_name:
                    columns = [column.get('itemname') for column in element.iter(DXL + 'column')]
            elif columns is not None:
                values = {item.get('name'): item.findtext(DXL + 'text') or '' for item in element.iter(DXL + 'item')}
                out.write(','.join(field(values.get(name, '')) for name in columns) + '\r\n')
            # Frees what has been read, so the tree does not grow with the file.
            element.clear()
            while element.getprevious() is not None:
                del element.getparent()[0]


if __name__ == '__main__':
    main(*sys.argv[1:4])
