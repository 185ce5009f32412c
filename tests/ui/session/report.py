"""PASS and FAIL lines, and the count at the end."""


class RunStopped(Exception):
    """A check that the rest of the run depends on has failed."""


class Report:
    def __init__(self):
        self.passed = 0
        self.failed = 0

    def check(self, name, ok, detail=""):
        """Prints the check's line; detail says what was seen instead, on a failure."""
        if ok:
            self.passed += 1
            print(f"PASS {name}", flush=True)
        else:
            self.failed += 1
            print(f"FAIL {name}" + (f" ({detail})" if detail else ""), flush=True)
        return ok

    def require(self, name, ok, detail=""):
        """A check that the rest of the run cannot do without."""
        if not self.check(name, ok, detail):
            raise RunStopped(name)

    @staticmethod
    def note(text):
        print(f"     ({text})", flush=True)

    def summary(self):
        print(f"{self.passed} passed, {self.failed} failed", flush=True)
        return 0 if self.failed == 0 and self.passed > 0 else 1
