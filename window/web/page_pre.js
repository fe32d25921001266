// Runs before the module's own code: the record is fetched at once, beside
// the module, and the page starts (page.js) when the module is ready.
var velmoraRecord = fetch('velmora.rec')
  .then((response) => response.ok ? response.arrayBuffer() : new ArrayBuffer(0))
  .catch(() => new ArrayBuffer(0));
Module['onRuntimeInitialized'] = () => velmoraRecord.then(velmoraStart);
