#!/usr/bin/env python3
"""Opens one image page in headless Chromium at a phone and a desktop size.

Usage: image_page_probe.py CHROMIUM USER_DATA_DIR AXE_JS URL

Prints one JSON object per line: for each window size the page's width
against the window's, the image's box, every image and link address and the
axe-core audit's violations; then where each key (and a swipe to the left)
led from the page. Exits non-zero with a message on stderr when the browser
cannot be driven.
"""
import json
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser_probe import Browser  # noqa: E402

SIZES = [(360, 740, True), (1920, 1080, False)]

FACTS = r"""
(async () => {
  await Promise.all(Array.from(document.images, img => img.complete ? null :
      new Promise(done => { img.onload = img.onerror = done; })));
  const img = document.querySelector('main img');
  const box = img.getBoundingClientRect();
  return {
    scrollWidth: document.documentElement.scrollWidth,
    innerWidth: window.innerWidth,
    innerHeight: window.innerHeight,
    image: {left: box.left, top: box.top, right: box.right, bottom: box.bottom,
            naturalWidth: img.naturalWidth},
    addresses: [...Array.from(document.images, i => i.src),
                ...Array.from(document.links, a => a.href),
                ...Array.from(document.querySelectorAll('link[href]'), l => l.href)],
    title: document.title,
    lang: document.documentElement.lang,
    charset: document.characterSet,
  };
})()
"""

AUDIT = r"""
(async () => {
  const result = await axe.run(document);
  return result.violations.map(v => v.id + ': ' + v.help);
})()
"""

KEYS = {"ArrowRight": 39, "ArrowLeft": 37, "Home": 36, "End": 35, "Escape": 27}


def evaluate(browser, session, expression):
    result = browser.call("Runtime.evaluate", {"expression": expression, "awaitPromise": True,
                                               "returnByValue": True}, session=session)
    if "exceptionDetails" in result:
        raise RuntimeError(f"page script failed: {result['exceptionDetails']}")
    return result["result"].get("value")


def open_page(browser, session, url):
    browser.events.clear()
    browser.call("Page.navigate", {"url": url}, session=session)
    browser.wait_event("Page.loadEventFired", session)


def location_after(browser, session, url, action):
    open_page(browser, session, url)
    browser.events.clear()
    action()
    browser.wait_event("Page.loadEventFired", session)
    return evaluate(browser, session, "location.href")


def press(browser, session, key):
    code = KEYS[key]
    for kind in ("rawKeyDown", "keyUp"):
        browser.call("Input.dispatchKeyEvent", {"type": kind, "key": key, "code": key,
                                                "windowsVirtualKeyCode": code}, session=session)


def swipe_left(browser, session):
    for kind, x in (("touchStart", 300), ("touchMove", 40)):
        browser.call("Input.dispatchTouchEvent", {"type": kind, "touchPoints": [{"x": x, "y": 300}]},
                     session=session)
    browser.call("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []}, session=session)


def main():
    if len(sys.argv) != 5:
        print(__doc__, file=sys.stderr)
        return 2
    chromium, user_data_dir, axe_js, url = sys.argv[1:]
    with open(axe_js, encoding="utf-8") as f:
        axe_source = f.read()
    browser = Browser(chromium, user_data_dir)
    try:
        target = browser.call("Target.createTarget", {"url": "about:blank"})["targetId"]
        session = browser.call("Target.attachToTarget", {"targetId": target, "flatten": True})["sessionId"]
        browser.call("Page.enable", session=session)
        for width, height, mobile in SIZES:
            browser.call("Emulation.setDeviceMetricsOverride", {"width": width, "height": height,
                                                                "deviceScaleFactor": 1, "mobile": mobile},
                         session=session)
            open_page(browser, session, url)
            facts = evaluate(browser, session, FACTS)
            evaluate(browser, session, axe_source)
            facts["violations"] = evaluate(browser, session, AUDIT)
            print(json.dumps(facts, ensure_ascii=True))
        browser.call("Emulation.setTouchEmulationEnabled", {"enabled": True}, session=session)
        moves = {key: location_after(browser, session, url, lambda k=key: press(browser, session, k))
                 for key in KEYS}
        moves["swipe"] = location_after(browser, session, url, lambda: swipe_left(browser, session))
        print(json.dumps(moves, ensure_ascii=True))
    except Exception as error:  # one line for the test to show
        print(f"image_page_probe: {error}", file=sys.stderr)
        return 1
    finally:
        browser.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
