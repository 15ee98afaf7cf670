#!/usr/bin/env python3
"""Serves the web page's site as a static host should for the quickest start: each file with
its type, the brotli or gzip copy the build wrote when the browser accepts it (Content-Encoding,
Vary: Accept-Encoding), and caching that makes the browser check back (no-cache, with ETag
and Last-Modified, answered with 304 Not Modified), so that a new build is never mixed with
parts of an old one; the service worker keeps each build for visits without the network.
    scripts/serve.py <site folder> [port]       (on 127.0.0.1; port 8080 by default, 0 any)
"""
import email.utils
import http.server
import os
import sys

TYPES = {
    '.html': 'text/html; charset=utf-8',
    '.js': 'text/javascript; charset=utf-8',
    '.wasm': 'application/wasm',
    '.webmanifest': 'application/manifest+json',
    '.png': 'image/png',
}
ENCODINGS = [('br', '.br'), ('gzip', '.gz')]


class SiteHandler(http.server.BaseHTTPRequestHandler):
    protocol_version = 'HTTP/1.1'  # connections kept open between requests
    site = '.'

    def log_message(self, *args):
        pass  # a line a request would drown the output of the scripts that use this

    def do_GET(self):
        self.answer(body=True)

    def do_HEAD(self):
        self.answer(body=False)

    def answer(self, body):
        name = self.path.split('?')[0].lstrip('/') or 'index.html'
        path = os.path.join(self.site, os.path.basename(name))
        kind = TYPES.get(os.path.splitext(path)[1])
        if '/' in name or kind is None or not os.path.isfile(path):
            self.send_error(404)
            return
        accepted = [part.split(';')[0].strip() for part in
                    self.headers.get('Accept-Encoding', '').split(',')]
        encoding = None
        for coding, suffix in ENCODINGS:
            if coding in accepted and os.path.isfile(path + suffix):
                encoding, path = coding, path + suffix
                break
        stat = os.stat(path)
        tag = '"%x-%x%s"' % (stat.st_mtime_ns, stat.st_size, '-' + encoding if encoding else '')
        if self.headers.get('If-None-Match') == tag:
            self.send_response(304)
            self.send_header('ETag', tag)
            self.send_header('Content-Length', '0')
            self.end_headers()
            return
        self.send_response(200)
        self.send_header('Content-Type', kind)
        self.send_header('Content-Length', str(stat.st_size))
        if encoding:
            self.send_header('Content-Encoding', encoding)
        self.send_header('Vary', 'Accept-Encoding')
        self.send_header('Cache-Control', 'no-cache')
        self.send_header('ETag', tag)
        self.send_header('Last-Modified', email.utils.formatdate(stat.st_mtime, usegmt=True))
        self.end_headers()
        if body:
            with open(path, 'rb') as source:
                self.wfile.write(source.read())


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    SiteHandler.site = sys.argv[1]
    port = int(sys.argv[2]) if len(sys.argv) == 3 else 8080
    server = http.server.ThreadingHTTPServer(('127.0.0.1', port), SiteHandler)
    print('Serving %s on http://127.0.0.1:%d/ (Ctrl+C stops)' %
          (sys.argv[1], server.server_address[1]), flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == '__main__':
    main()
