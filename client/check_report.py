"""The report shared by the client's check scripts."""


def report(results):
    """Prints each failed check and a count; the exit status for the script.
    results: (description, passed) pairs."""
    failed = [what for what, ok in results if not ok]
    for what in failed:
        print(f"FAILED: {what}")
    print(f"{len(results) - len(failed)} passed, {len(failed)} failed")
    return 1 if failed else 0
