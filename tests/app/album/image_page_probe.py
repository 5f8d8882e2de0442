#!/usr/bin/env python3
"""Usage: image_page_probe.py CHROMIUM USER_DATA_DIR AXE_JS URL

Prints one JSON line per window size (360 x 740 phone, 1920 x 1080): page and
window widths, the image's box, every address and the axe-core violations;
then one line with where each key, and a swipe to the left, led from URL.
"""
import json
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser_probe import Browser  # noqa: E402

FACTS = r"""
(async () => {
  await Promise.all(Array.from(document.images, img => img.complete ? null :
      new Promise(done => { img.onload = img.onerror = done; })));
  const img = document.querySelector('main img'), box = img.getBoundingClientRect();
  return {scrollWidth: document.documentElement.scrollWidth, innerWidth, innerHeight,
          image: {left: box.left, right: box.right, bottom: box.bottom, naturalWidth: img.naturalWidth},
          addresses: Array.from(document.querySelectorAll('[src], [href]'), e => e.src || e.href),
          title: document.title, charset: document.characterSet,
          violations: (await axe.run(document)).violations.map(v => v.id + ': ' + v.help)};
})()
"""
KEYS = {"ArrowRight": 39, "ArrowLeft": 37, "Home": 36, "End": 35, "Escape": 27}


def main():
    chromium, user_data_dir, axe_js, url = sys.argv[1:5]
    with open(axe_js, encoding="utf-8") as f:
        axe_source = f.read()
    b = Browser(chromium, user_data_dir)
    try:
        target = b.call("Target.createTarget", {"url": "about:blank"})["targetId"]
        s = b.call("Target.attachToTarget", {"targetId": target, "flatten": True})["sessionId"]
        b.call("Page.enable", session=s)

        def evaluate(expression):
            r = b.call("Runtime.evaluate", {"expression": expression, "awaitPromise": True, "returnByValue": True},
                       session=s)
            if "exceptionDetails" in r:
                raise RuntimeError(f"page script failed: {r['exceptionDetails']}")
            return r["result"].get("value")

        def load(action):
            b.events.clear()
            action()
            b.wait_event("Page.loadEventFired", s)

        def open_url():
            load(lambda: b.call("Page.navigate", {"url": url}, session=s))

        for width, height in ((360, 740), (1920, 1080)):
            b.call("Emulation.setDeviceMetricsOverride", {"width": width, "height": height, "deviceScaleFactor": 1,
                                                          "mobile": width < 600}, session=s)
            open_url()
            evaluate(axe_source)
            print(json.dumps(evaluate(FACTS), ensure_ascii=True))

        def press(key):
            for kind in ("rawKeyDown", "keyUp"):
                b.call("Input.dispatchKeyEvent", {"type": kind, "key": key, "code": key,
                                                  "windowsVirtualKeyCode": KEYS[key]}, session=s)

        def swipe():
            for kind, points in (("touchStart", [{"x": 300, "y": 300}]), ("touchMove", [{"x": 40, "y": 300}]),
                                 ("touchEnd", [])):
                b.call("Input.dispatchTouchEvent", {"type": kind, "touchPoints": points}, session=s)

        b.call("Emulation.setTouchEmulationEnabled", {"enabled": True}, session=s)
        moves = {}
        for name, action in [*((k, lambda k=k: press(k)) for k in KEYS), ("swipe", swipe)]:
            open_url()
            load(action)
            moves[name] = evaluate("location.href")
        print(json.dumps(moves, ensure_ascii=True))
    except Exception as error:  # one line for the test to show
        print(f"image_page_probe: {error}", file=sys.stderr)
        return 1
    finally:
        b.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
