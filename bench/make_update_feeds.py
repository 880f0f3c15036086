#!/usr/bin/env python3
"""Writes the feeds of bench/update_bench.sh: feed0.xml .. feedN.xml, RSS 2.0, RDF and Atom 0.3
in turn, each item with about 1.5 KB of HTML in its description.

  make_update_feeds.py FOLDER COUNT ITEMS          all feeds, dated in the past
  make_update_feeds.py --grow FOLDER COUNT ITEMS   the first COUNT feeds get one more item,
                                                   dated now (so If-Modified-Since misses)
"""
import os
import sys
import time
from html import escape

PARAGRAPH = (
    '<p>Lorem <b>ipsum</b> dolor sit amet, <a href="http://example.com/{feed}/{item}">consectetur'
    '</a> adipiscing elit, sed do eiusmod tempor incididunt ut labore et dolore magna aliqua. '
    'Ut enim ad minim veniam, <i>quis nostrud</i> exercitation ullamco laboris nisi ut aliquip '
    'ex ea commodo consequat.</p>\n'
)


def description(feed, item):
    html = '<div class="entry"><img src="http://example.com/img/{}.png" alt="x"/>'.format(item)
    while len(html) < 1500:
        html += PARAGRAPH.format(feed=feed, item=item)
    return html + '</div>'


def rss2(feed, items):
    out = ['<?xml version="1.0" encoding="utf-8"?>\n<rss version="2.0"><channel>',
           '<title>Feed {0}</title><link>http://example.com/{0}/</link>'.format(feed),
           '<description>Benchmark feed {}</description>'.format(feed)]
    for i in items:
        out.append('<item><title>Item {1} of feed {0}</title>'
                   '<link>http://example.com/{0}/{1}</link><guid>http://example.com/{0}/{1}</guid>'
                   '<pubDate>Tue, 05 Mar 2024 13:{2:02d}:00 GMT</pubDate><category>bench</category>'
                   '<description>{3}</description></item>\n'
                   .format(feed, i, i % 60, escape(description(feed, i))))
    out.append('</channel></rss>\n')
    return ''.join(out)


def rdf(feed, items):
    out = ['<?xml version="1.0" encoding="utf-8"?>\n<rdf:RDF '
           'xmlns:rdf="http://www.w3.org/1999/02/22-rdf-syntax-ns#" '
           'xmlns="http://purl.org/rss/1.0/" xmlns:dc="http://purl.org/dc/elements/1.1/">',
           '<channel rdf:about="http://example.com/{0}/"><title>Feed {0}</title>'
           '<link>http://example.com/{0}/</link><description>Benchmark feed {0}</description>'
           '<items><rdf:Seq>'.format(feed)]
    out += ['<rdf:li resource="http://example.com/{}/{}"/>'.format(feed, i) for i in items]
    out.append('</rdf:Seq></items></channel>\n')
    for i in items:
        out.append('<item rdf:about="http://example.com/{0}/{1}"><title>Item {1} of feed {0}</title>'
                   '<link>http://example.com/{0}/{1}</link>'
                   '<dc:date>2024-03-05T13:{2:02d}:00Z</dc:date>'
                   '<description>{3}</description></item>\n'
                   .format(feed, i, i % 60, escape(description(feed, i))))
    out.append('</rdf:RDF>\n')
    return ''.join(out)


def atom03(feed, items):
    out = ['<?xml version="1.0" encoding="utf-8"?>\n'
           '<feed version="0.3" xmlns="http://purl.org/atom/ns#">',
           '<title>Feed {0}</title><link rel="alternate" type="text/html" '
           'href="http://example.com/{0}/"/><modified>2024-03-05T13:00:00Z</modified>'
           .format(feed)]
    for i in items:
        out.append('<entry><title>Item {1} of feed {0}</title>'
                   '<link rel="alternate" type="text/html" href="http://example.com/{0}/{1}"/>'
                   '<id>http://example.com/{0}/{1}</id>'
                   '<issued>2024-03-05T13:{2:02d}:00Z</issued>'
                   '<modified>2024-03-05T13:{2:02d}:00Z</modified>'
                   '<content type="text/html" mode="escaped">{3}</content></entry>\n'
                   .format(feed, i, i % 60, escape(description(feed, i))))
    out.append('</feed>\n')
    return ''.join(out)


WRITERS = [rss2, rdf, atom03]


def write(folder, feed, item_count, first_item, mtime):
    path = os.path.join(folder, 'feed{}.xml'.format(feed))
    items = list(range(first_item, first_item + item_count))
    with open(path, 'w', encoding='utf-8') as out:
        out.write(WRITERS[feed % 3](feed, items))
    os.utime(path, (mtime, mtime))


def main(argv):
    grow = argv[:1] == ['--grow']
    if grow:
        argv = argv[1:]
    folder, count, item_count = argv[0], int(argv[1]), int(argv[2])
    os.makedirs(folder, exist_ok=True)
    now = time.time()
    for feed in range(count):
        if grow:
            # The newest item first, as feeds are written; one more than before.
            write(folder, feed, item_count + 1, 0, now + 5)
        else:
            write(folder, feed, item_count, 1, now - 3600)


if __name__ == '__main__':
    main(sys.argv[1:])
