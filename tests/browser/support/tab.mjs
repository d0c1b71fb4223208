// A browser tab that answers the dialogs its pages raise and records them and the forms it posts.
export class Tab {
  constructor(page) {
    this.page = page;
    this.dialogs = [];
    this.posts = [];
    this.answers = [];
    page.on('dialog', (dialog) => this.#answer(dialog));
    page.on('request', (request) => {
      if (request.method() === 'POST') this.posts.push([...new URLSearchParams(request.postData() ?? '')]);
    });
  }

  // The next confirmations are answered in turn (true: OK, false: Cancel); alerts are always
  // accepted, and a confirmation without an answer is cancelled.
  answer(...answers) {
    this.answers.push(...answers);
  }

  async #answer(dialog) {
    this.dialogs.push(`${dialog.type()}: ${dialog.message()}`);
    const accept = dialog.type() === 'alert' || (this.answers.shift() ?? false);
    await (accept ? dialog.accept() : dialog.dismiss());
  }

  // The dialogs shown and the forms posted since the last call, as "type: text" strings
  // and lists of [name, value] pairs.
  take() {
    const taken = { dialogs: this.dialogs, posts: this.posts };
    this.dialogs = [];
    this.posts = [];
    return taken;
  }

  // Runs `action`, which must load a new page, and waits until that page has loaded.
  async submits(action) {
    await Promise.all([this.page.waitForEvent('load'), action()]);
  }

  // Runs `action`, which must not leave the page, and gives a refused submission time to show.
  async staysOn(action) {
    await action();
    await this.page.waitForTimeout(250);
  }

  async click(selector) {
    await this.page.click(selector);
  }

  // The trimmed text of the bold value after "Currently selected configuration file:".
  async selectedConfig() {
    return (await this.page.locator('font:has-text("Currently selected configuration file:") + b')
      .first().textContent()).trim();
  }

  async heading() {
    return (await this.page.locator('td[bgcolor="#666666"] b').first().textContent()).trim();
  }

  // [value, text, selected] of every option of the select named `name`.
  async options(name) {
    return this.page.$$eval(`select[name="${name}"] option`,
      (options) => options.map((o) => [o.value, o.text, o.selected]));
  }
}
