#!/usr/bin/env python3
"""Opens pages in headless Chromium and prints what the browser made of them.

Usage: browser_probe.py CHROMIUM USER_DATA_DIR URL...

Talks to the browser over its DevTools pipe (file descriptors 3 and 4), so no
extra Python packages are needed. For each URL it prints one JSON object per
line: the document title, every image (resolved address, natural width), every
link (resolved address) and the text of every table cell. Exits non-zero with a
message on stderr when the browser cannot be driven.
"""
import fcntl
import json
import os
import select
import subprocess
import sys
import time

FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
]
TIMEOUT = 30.0        # for one answer
TOTAL_TIMEOUT = 90.0  # for the whole run, well inside the test's own limit

COLLECT = r"""
(async () => {
  await Promise.all(Array.from(document.images, img => img.complete ? null :
      new Promise(done => { img.onload = img.onerror = done; })));
  return {
    title: document.title,
    images: Array.from(document.images, img => ({src: img.src, naturalWidth: img.naturalWidth,
                                                  alt: img.alt})),
    links: Array.from(document.links, a => a.href),
    cells: Array.from(document.querySelectorAll('td'), td => td.textContent),
    charset: document.characterSet,
  };
})()
"""


class Browser:
    def __init__(self, chromium, user_data_dir):
        to_browser_r, self.to_browser = os.pipe()
        self.from_browser, from_browser_w = os.pipe()

        def wire_pipes():
            # The browser reads commands on fd 3 and writes replies on fd 4.
            high_r = fcntl.fcntl(to_browser_r, fcntl.F_DUPFD, 100)
            high_w = fcntl.fcntl(from_browser_w, fcntl.F_DUPFD, 100)
            os.dup2(high_r, 3)
            os.dup2(high_w, 4)
            os.set_inheritable(3, True)
            os.set_inheritable(4, True)

        self.proc = subprocess.Popen(
            [chromium, *FLAGS, "--remote-debugging-pipe", "--user-data-dir=" + user_data_dir, "about:blank"],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=wire_pipes, close_fds=False)
        os.close(to_browser_r)
        os.close(from_browser_w)
        self.buffer = b""
        self.next_id = 0
        self.events = []
        self.give_up_at = time.monotonic() + TOTAL_TIMEOUT

    def send(self, method, params=None, session=None):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = session
        os.write(self.to_browser, json.dumps(message).encode() + b"\0")
        return self.next_id

    def read_message(self, deadline):
        deadline = min(deadline, self.give_up_at)
        while b"\0" not in self.buffer:
            left = deadline - time.monotonic()
            if left <= 0:
                raise TimeoutError("the browser did not answer in time")
            ready, _, _ = select.select([self.from_browser], [], [], left)
            if ready:
                chunk = os.read(self.from_browser, 65536)
                if not chunk:
                    raise ConnectionError("the browser closed its DevTools pipe")
                self.buffer += chunk
        raw, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(raw)

    def call(self, method, params=None, session=None):
        wanted = self.send(method, params, session)
        deadline = time.monotonic() + TIMEOUT
        while True:
            message = self.read_message(deadline)
            if message.get("id") == wanted:
                if "error" in message:
                    raise RuntimeError(f"{method}: {message['error']}")
                return message.get("result", {})
            self.events.append(message)

    def wait_event(self, method, session):
        deadline = time.monotonic() + TIMEOUT
        while True:
            for i, event in enumerate(self.events):
                if event.get("method") == method and event.get("sessionId") == session:
                    del self.events[i]
                    return event
            self.events.append(self.read_message(deadline))

    def close(self):
        try:
            self.send("Browser.close")
            self.proc.wait(timeout=10)
        except Exception:
            self.proc.kill()
            self.proc.wait()
        os.close(self.to_browser)
        os.close(self.from_browser)


def main():
    if len(sys.argv) < 4:
        print(__doc__, file=sys.stderr)
        return 2
    chromium, user_data_dir, urls = sys.argv[1], sys.argv[2], sys.argv[3:]
    browser = Browser(chromium, user_data_dir)
    try:
        target = browser.call("Target.createTarget", {"url": "about:blank"})["targetId"]
        session = browser.call("Target.attachToTarget", {"targetId": target, "flatten": True})["sessionId"]
        browser.call("Page.enable", session=session)
        for url in urls:
            browser.events.clear()
            browser.call("Page.navigate", {"url": url}, session=session)
            browser.wait_event("Page.loadEventFired", session)
            result = browser.call("Runtime.evaluate", {"expression": COLLECT, "awaitPromise": True,
                                                       "returnByValue": True}, session=session)
            if "exceptionDetails" in result:
                raise RuntimeError(f"page script failed on {url}: {result['exceptionDetails']}")
            facts = result["result"]["value"]
            facts["url"] = url
            print(json.dumps(facts, ensure_ascii=True))
    except Exception as error:  # one line for the test to show
        print(f"browser_probe: {error}", file=sys.stderr)
        return 1
    finally:
        browser.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
